#include "fighters/fighter_palette.h"

ALLEGRO_COLOR cloth_color(int index)
{
    switch (index) {
    case 0: return al_map_rgb(192, 0, 0);
    case 1: return al_map_rgb(64, 32, 0);
    case 2: return al_map_rgb(0, 128, 0);
    case 3: return al_map_rgb(0, 0, 192);
    case 4: return al_map_rgb(32, 32, 32);
    default: return al_map_rgb(192, 192, 192);
    }
}

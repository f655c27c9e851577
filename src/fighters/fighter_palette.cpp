#include "fighters/fighter_palette.h"

#include <algorithm>

#include <allegro5/allegro_primitives.h>

#include "app/assets.h"

bool dark_cloth(ALLEGRO_COLOR color)
{
    const float darkest_readable = 0.2f;  // red and green stay on black
    return 0.3f * color.r + 0.59f * color.g + 0.11f * color.b < darkest_readable;
}

ALLEGRO_COLOR light_backing()
{
    return al_map_rgb(200, 200, 200);
}

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

void draw_look(const int colors[3], int x, int y, int swatch)
{
    const int last_hair = 2;
    // The head's picture is 14 x 17: drawn about as high as a swatch.
    const float head_scale = swatch / 16.0f;
    const int step = swatch + swatch / 4;
    ALLEGRO_BITMAP* head = bhead[std::clamp(colors[0], 0, last_hair)];
    if (head)
        al_draw_scaled_bitmap(head, 0, 0, al_get_bitmap_width(head), al_get_bitmap_height(head), x, y,
                              al_get_bitmap_width(head) * head_scale, al_get_bitmap_height(head) * head_scale, 0);
    for (int part = 1; part <= 2; part++) {
        const int left = x + step * part;
        al_draw_filled_rectangle(left, y, left + swatch, y + swatch, cloth_color(colors[part]));
    }
}

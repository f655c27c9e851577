#include "frontend/backdrop.h"

void make_backdrop(ALLEGRO_VERTEX quad[4])
{
    const ALLEGRO_COLOR top = al_map_rgb_f(0, 0, 0);
    const ALLEGRO_COLOR bottom = al_map_rgb_f(0.2f, 0, 0);
    quad[0] = {0, 0, 0, 0, 0, top};
    quad[1] = {1920, 0, 0, 0, 0, top};
    quad[2] = {1920, 1080, 0, 0, 0, bottom};
    quad[3] = {0, 1080, 0, 0, 0, bottom};
}

void draw_backdrop(const ALLEGRO_VERTEX quad[4])
{
    al_draw_prim(quad, nullptr, nullptr, 0, 4, ALLEGRO_PRIM_TRIANGLE_FAN);
}

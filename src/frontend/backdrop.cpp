#include "frontend/backdrop.h"

#include "app/logical_screen.h"

void make_backdrop(ALLEGRO_VERTEX quad[4])
{
    const ALLEGRO_COLOR top = al_map_rgb_f(0, 0, 0);
    const ALLEGRO_COLOR bottom = al_map_rgb_f(0.2f, 0, 0);
    quad[0] = {0, 0, 0, 0, 0, top};
    quad[1] = {logical_width, 0, 0, 0, 0, top};
    quad[2] = {logical_width, logical_height, 0, 0, 0, bottom};
    quad[3] = {0, logical_height, 0, 0, 0, bottom};
}

void draw_backdrop(const ALLEGRO_VERTEX quad[4])
{
    al_draw_prim(quad, nullptr, nullptr, 0, 4, ALLEGRO_PRIM_TRIANGLE_FAN);
}

// The soft sphere picture that flames and smoke puffs are made of.
#pragma once

#include <cmath>

#include "app/assets.h"
#include "map/cmap.h"

// Draws the sphere tinted and `size` units wide, centred on map point (x, y)
// with the point floored to whole units.
inline void draw_sphere(ALLEGRO_COLOR tint, float x, float y, float size)
{
    const float picture_side = 100;
    if (!bsphere)
        return;
    const float left = std::floor(x) - size / 2 - map.get_xs();
    const float top = std::floor(y) - size / 2 - map.get_ys();
    al_draw_tinted_scaled_bitmap(bsphere, tint, 0, 0, picture_side, picture_side, left, top, size, size, 0);
}

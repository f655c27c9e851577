#include "effects/walk.h"

bool walk_speck(float& x, float& y, float& vx, float& vy, float s, speck_shape shape)
{
    if (!solid_at(x, y + shape.gravity_probe))
        vy = static_cast<float>(vy + speck_gravity * s);
    // Lying still costs no probes.
    if (vx == 0 && vy == 0)
        return true;

    const float tx = x + s * vx;
    const float ty = y + s * vy;
    const float last = shape.side - 1;  // the far column or row of the square
    walk_axis(x, tx, vx, static_cast<float>(map.get_width()), last,
              [&](bool forwards) { return solid_at(forwards ? x + shape.side : x - 1, y); });
    walk_axis(y, ty, vy, static_cast<float>(map.get_height()), last,
              [&](bool forwards) { return solid_at(x, forwards ? y + shape.side : y - 1); });
    if (x + last < 0 || x >= map.get_width() || y + last < 0 || y >= map.get_height())
        return false;
    // No bounce: a wall leaves only the fall, a floor or a ceiling stops it dead.
    if (x != tx || y != ty) {
        vx = 0;
        if (y != ty)
            vy = 0;
    }
    return true;
}

// How the effects that collide with the map move through it: one unit at a
// time along each axis, probing the unit ahead before every step, so that
// nothing passes through a wall however fast it flies. Blood drops and debris
// are small squares that differ only in size and share the whole tick here.
#pragma once

#include <algorithm>

#include "map/cmap.h"

// Moves `position` towards `target` while `blocked(forwards)` says the unit
// ahead is free and the body has not gone past an edge: `far_edge` going
// forwards, or its last unit `reach` behind it past 0 going backwards.
template <class Blocked>
void walk_axis(float& position, float target, float speed, float far_edge, float reach, Blocked blocked)
{
    const float step = 1;
    if (speed > 0) {
        while (position < target && position < far_edge && !blocked(true))
            position += std::min(target - position, step);
    } else if (speed < 0) {
        while (position > target && position + reach >= 0 && !blocked(false))
            position += std::max(target - position, -step);
    }
}

// A square speck of `side` units with its top-left corner at (x, y), which
// feels gravity while the point `gravity_probe` below that corner is free.
struct speck_shape {
    float side;
    float gravity_probe;
};

// One tick of a speck at time factor s: it falls, moves, and when blocked
// loses its sideways speed and, stopped up or down, its vertical speed too.
// False when it has left the map.
bool move_speck(float& x, float& y, float& vx, float& vy, float s, speck_shape shape);

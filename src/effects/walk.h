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

// Units per tick added to a speck's falling speed every tick.
const double speck_gravity = 0.25;

// A square speck of `side` units with its top-left corner at (x, y), which
// feels gravity while the point `gravity_probe` below that corner is free.
struct speck_shape {
    float side;
    float gravity_probe;
};

// One tick of a speck at time factor s: it falls, moves, and when blocked
// loses its sideways speed and, stopped up or down, its vertical speed too.
// False when it has left the map. Taken one unit and one probe at a time.
bool walk_speck(float& x, float& y, float& vx, float& vy, float s, speck_shape shape);

// Whether a box of map points inside the map and narrower than a cell both
// ways holds no wall. It touches at most four cells, each holding one of its
// corners.
inline bool cells_free(int left, int top, int right, int bottom)
{
    // Mostly it lies in one column of cells; the rows are asked either way,
    // as a falling speck crosses into the next one too often to guess.
    bool wall = map.solid(left, top) | map.solid(left, bottom);
    if (left / cmap::cell_size != right / cmap::cell_size)
        wall = wall | map.solid(right, top) | map.solid(right, bottom);
    return !wall;
}

// The same for any box narrower than a cell both ways: past the map's
// edges everything is free.
inline bool box_free(int left, int top, int right, int bottom)
{
    if (right - left >= cmap::cell_size || bottom - top >= cmap::cell_size)
        return false;
    return cells_free(std::max(left, 0), std::max(top, 0), std::min(right, map.get_width() - 1),
                      std::min(bottom, map.get_height() - 1));
}

// Whether walk_axis from `position` towards `target`, meeting nothing, ends
// exactly on the target inside the map. Each step is a whole unit or the
// rest of the way, and while both lie within a factor 2 of each other above
// 0 the rest is computed without rounding, so the last step lands on the
// target itself. A time factor above 0 keeps the target on the speed's side.
template <class Lanes>
auto lands_on_target(Lanes position, Lanes target, float far_edge)
{
    const Lanes low = target < position ? target : position;
    const Lanes high = position < target ? target : position;
    return (low > 0) & (high <= 2 * low) & (high < far_edge);
}

// The tick of walk_speck for a speck that surely meets nothing, which is
// most ticks of a flying one: every probe of the walk lies in the box it
// sweeps, its own bottom row included, and when that box is free the walk's
// end is known without taking it. False, with nothing changed, otherwise.
inline bool fly_free(float& x, float& y, float vx, float& vy, float s, speck_shape shape)
{
    const float fall = static_cast<float>(vy + speck_gravity * s);
    const float tx = x + s * vx;
    const float ty = y + s * fall;
    const float below = std::max(shape.side, shape.gravity_probe);
    const bool lands = (s > 0) & lands_on_target(x, tx, static_cast<float>(map.get_width()))
        & lands_on_target(y, ty, static_cast<float>(map.get_height()));
    if (!lands
        || !box_free(static_cast<int>(std::min(x, tx) - 1), static_cast<int>(std::min(y, ty) - 1),
                     static_cast<int>(std::max(x, tx) + shape.side), static_cast<int>(std::max(y, ty) + below)))
        return false;
    x = tx;
    y = ty;
    vy = fall;
    return true;
}

// One tick of a speck, as walk_speck.
inline bool move_speck(float& x, float& y, float& vx, float& vy, float s, speck_shape shape)
{
    // Lying still costs one probe.
    if (vx == 0 && vy == 0 && solid_at(x, y + shape.gravity_probe))
        return true;
    return fly_free(x, y, vx, vy, s, shape) || walk_speck(x, y, vx, vy, s, shape);
}

// The fighters' movement, written once: a fighter steps through the map with
// it, and the route reasoning steps through its own copy of the walls with
// it, so the routes it finds cannot drift from where fighters really go.
// `solid(x, y)` answers for a map point the way the map does: truncated
// toward zero, free outside.
#pragma once

#include <algorithm>

namespace fighter_motion {

const float walk_speed = 2.5f;
const float jump_speed = -10.5f;
const float gravity = 0.25f;
const float step_length = 1;

// Probe offsets around the 39 x 80 body box (columns x .. x + 38, rows y .. y + 79).
const float last_column = 38;
const float column_beside = 39;
const float middle_row = 40;
const float last_row = 79;
const float row_below = 80;

struct body {
    float x, y, vx, vy;
};

template <class Solid>
bool on_floor(const body& b, const Solid& solid)
{
    return solid(b.x, b.y + row_below) || solid(b.x + last_column, b.y + row_below);
}

template <class Solid>
bool under_ceiling(const body& b, const Solid& solid)
{
    return solid(b.x, b.y - 1) || solid(b.x + last_column, b.y - 1);
}

template <class Solid>
bool wall_left(const body& b, const Solid& solid)
{
    const float side = b.x - 1;
    return solid(side, b.y) || solid(side, b.y + middle_row) || solid(side, b.y + last_row);
}

template <class Solid>
bool wall_right(const body& b, const Solid& solid)
{
    const float side = b.x + column_beside;
    return solid(side, b.y) || solid(side, b.y + middle_row) || solid(side, b.y + last_row);
}

// One tick at time factor s: gravity, then the sweeps, horizontal first,
// probing the side ahead before every unit so the box never enters a wall.
// A floor or a ceiling that stops the vertical sweep ends the vertical
// speed; a wall leaves the walking intent alone.
template <class Solid>
void step(body& b, float s, const Solid& solid)
{
    // Standing exactly on a floor gains no falling speed.
    if (!on_floor(b, solid))
        b.vy += gravity * s;
    if (b.vx == 0 && b.vy == 0)
        return;

    const float tx = b.x + b.vx * s;
    const float ty = b.y + b.vy * s;
    if (b.vx > 0) {
        while (b.x < tx && !wall_right(b, solid))
            b.x += std::min(tx - b.x, step_length);
    } else if (b.vx < 0) {
        while (b.x > tx && !wall_left(b, solid))
            b.x += std::max(tx - b.x, -step_length);
    }
    if (b.vy > 0) {
        while (b.y < ty && !on_floor(b, solid))
            b.y += std::min(ty - b.y, step_length);
    } else if (b.vy < 0) {
        while (b.y > ty && !under_ceiling(b, solid))
            b.y += std::max(ty - b.y, -step_length);
    }
    if (b.y != ty)
        b.vy = 0;
}

}  // namespace fighter_motion

// Every fighter's small physics: walking intent, jumping, gravity, one-unit
// sweeps through the tile map, and the leg animation.
#include "fighters/cplayer.h"

#include <algorithm>

#include "map/cmap.h"
#include "match/cgame.h"

namespace {

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

// Falling out of the map kills without a direction or anyone to credit.
const float no_direction = 1000;
const float fall_damage = 100;
const int nobody = -1;

const float leg_step = 0.075f;
const float standing_frame = 0.999f;
// The walk cycle's ends, compared in double and stored in single precision.
const double first_walk_frame = 1.1;
const double last_walk_frame = 8.9;

}  // namespace

void cplayer::move_left()
{
    vx = -walk_speed;
}

void cplayer::move_right()
{
    vx = walk_speed;
}

void cplayer::jump()
{
    if (down())
        vy = jump_speed;
}

bool cplayer::solid_at(float px, float py) const
{
    return map.solid(static_cast<int>(px), static_cast<int>(py));
}

bool cplayer::down() const
{
    return solid_at(x, y + row_below) || solid_at(x + last_column, y + row_below);
}

bool cplayer::up() const
{
    return solid_at(x, y - 1) || solid_at(x + last_column, y - 1);
}

bool cplayer::left() const
{
    return solid_at(x - 1, y) || solid_at(x - 1, y + middle_row) || solid_at(x - 1, y + last_row);
}

bool cplayer::right() const
{
    const float side = x + column_beside;
    return solid_at(side, y) || solid_at(side, y + middle_row) || solid_at(side, y + last_row);
}

void cplayer::movement()
{
    const float s = game.slow();
    // Standing exactly on a floor gains no falling speed.
    if (!down())
        vy += gravity * s;
    if (vx == 0 && vy == 0)
        return;

    const float tx = x + vx * s;
    const float ty = y + vy * s;
    // Probe the side ahead before every step, so the box never enters a wall.
    if (vx > 0) {
        while (x < tx && !right())
            x += std::min(tx - x, step_length);
    } else if (vx < 0) {
        while (x > tx && !left())
            x += std::max(tx - x, -step_length);
    }
    if (vy > 0) {
        while (y < ty && !down())
            y += std::min(ty - y, step_length);
    } else if (vy < 0) {
        while (y > ty && !up())
            y += std::max(ty - y, -step_length);
    }
    // A floor or a ceiling stopped the sweep; a wall leaves the walking intent alone.
    if (y != ty)
        vy = 0;

    if (y >= map.get_height())
        damage(no_direction, fall_damage, nobody);
}

void cplayer::animation()
{
    const float step = leg_step * game.slow();
    const bool forwards = (vx > 0 && !dir) || (vx < 0 && dir);
    const bool backwards = (vx > 0 && dir) || (vx < 0 && !dir);
    // The legs follow the walking intent, blocked or airborne alike.
    if (forwards) {
        if (frame < last_walk_frame)
            frame += step;
        else
            frame = static_cast<float>(first_walk_frame);
    } else if (backwards) {
        if (frame > first_walk_frame)
            frame -= step;
        else
            frame = static_cast<float>(last_walk_frame);
    } else {
        frame = standing_frame;
    }
    vx = 0;
}

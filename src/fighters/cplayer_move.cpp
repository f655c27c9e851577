// A fighter's movement through the tile map (the rules themselves are in
// fighter_motion.h), falling out of it, and the leg animation.
#include "fighters/cplayer.h"
#include "fighters/last_blow.h"

#include "fighters/fighter_motion.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

using namespace fighter_motion;

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

bool cplayer::down() const
{
    return on_floor({x, y, vx, vy}, solid_at);
}

bool cplayer::up() const
{
    return under_ceiling({x, y, vx, vy}, solid_at);
}

bool cplayer::left() const
{
    return wall_left({x, y, vx, vy}, solid_at);
}

bool cplayer::right() const
{
    return wall_right({x, y, vx, vy}, solid_at);
}

// Walking, jumping, gravity and one-unit sweeps through the map.
void cplayer::movement()
{
    body moved{x, y, vx, vy};
    step(moved, game.slow(), solid_at);
    x = moved.x;
    y = moved.y;
    vx = moved.vx;
    vy = moved.vy;
    if (y >= map.get_height())
        damage(no_direction, fall_damage, nobody, blow_fall);
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

#include "effects/cflesh.h"

#include <cmath>
#include <cstdlib>

#include "app/assets.h"
#include "effects/cblood.h"
#include "effects/walk.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

const float no_direction = 999;  // this angle or more: no push
const float push = 7.5f;          // along the blow's direction
const int speed_range = 201;      // speeds of -10..10 in tenths

const double spin_speed = 0.03;
const double gravity = 0.25;
const float trail_ticks = 2;      // between drops of blood
const int trail_spread = 11;      // a drop lands up to 5 units off the centre
const double bounce_keep = 0.7;
const float rest_speed = 0.4f;    // slower than this on both axes on the ground, it is gone

const float reach = 7;  // from the centre to the points that feel a wall
// Walls and edges feel the chunk this far right of and below its centre.
const float span = 6;
const float pivot = 6;  // the picture turns about this point, placed on the centre

float random_speed()
{
    return (std::rand() % speed_range - speed_range / 2) / 10.0f;
}

float trail_offset()
{
    return static_cast<float>(std::rand() % trail_spread - trail_spread / 2);
}

}  // namespace

void cflesh::init(float new_x, float new_y, float angle)
{
    rotation = 0;
    trail = 0;
    x = new_x;
    y = new_y;
    vx = random_speed();
    vy = random_speed();
    active = true;
    if (angle < no_direction) {
        vx += push * std::cos(angle);
        vy += push * std::sin(angle);
    }
}

void cflesh::set_motion(float new_vx, float new_vy)
{
    vx = new_vx;
    vy = new_vy;
}

bool cflesh::up() const
{
    return solid_at(x, y - reach) || solid_at(x + span, y - reach);
}

bool cflesh::down() const
{
    return solid_at(x, y + reach) || solid_at(x + span, y + reach);
}

bool cflesh::right() const
{
    return solid_at(x + reach, y) || solid_at(x + reach, y + span);
}

bool cflesh::left() const
{
    return solid_at(x - reach, y) || solid_at(x - reach, y + span);
}

void cflesh::update()
{
    if (!active)
        return;
    const float s = game.slow();
    rotation = static_cast<float>(rotation + spin_speed * s);
    bleed(s);
    if (!down())
        vy = static_cast<float>(vy + gravity * s);

    if (vx != 0 || vy != 0) {
        const float tx = x + s * vx;
        const float ty = y + s * vy;
        sweep(tx, ty);
        if (left_map())
            active = false;
        else
            bounce(x != tx, y != ty);
    }
    // The blood it left stays behind.
    if (std::fabs(vx) < rest_speed && std::fabs(vy) < rest_speed && down())
        active = false;
}

void cflesh::bleed(float s)
{
    trail += s;
    if (trail < trail_ticks)
        return;
    // The vertical offset is drawn first; a full blood pool simply gives no drop.
    const float dy = trail_offset();
    const float dx = trail_offset();
    blood.init(x + dx, y + dy);
    trail = 0;
}

void cflesh::sweep(float tx, float ty)
{
    walk_axis(x, tx, vx, static_cast<float>(map.get_width()), span,
              [this](bool forwards) { return forwards ? right() : left(); });
    walk_axis(y, ty, vy, static_cast<float>(map.get_height()), span,
              [this](bool forwards) { return forwards ? down() : up(); });
}

bool cflesh::left_map() const
{
    return x + span < 0 || x >= map.get_width() || y + span < 0 || y >= map.get_height();
}

void cflesh::bounce(bool sideways, bool vertically)
{
    // A corner hit takes both, the side first.
    if (sideways) {
        vx = static_cast<float>(-bounce_keep * vx);
        vy = static_cast<float>(bounce_keep * vy);
    }
    if (vertically) {
        vy = static_cast<float>(-bounce_keep * vy);
        vx = static_cast<float>(bounce_keep * vx);
    }
}

void cflesh::draw() const
{
    if (!active || !bflesh)
        return;
    al_draw_rotated_bitmap(bflesh, pivot, pivot, std::floor(x) - map.get_xs(), std::floor(y) - map.get_ys(),
                           rotation, 0);
}

#include "weapons/cgrenade.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/assets.h"
#include "effects/cflame.h"
#include "fighters/cplayer.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/pools.h"
#include "match/sound_at.h"

namespace {

const double pi = ALLEGRO_PI;
const float fuse_ticks = 150;
const float last_fuse = 2;  // below this the tick is the blast: 150 updates at full speed

// Slower than this on both axes while on solid ground, it lies still.
const float rest_speed = 0.5f;
const double spin_speed = 0.05;
const float gravity = 0.25f;

const float step_length = 1;
const float probe = 5;   // the grenade's edge: contact points lie this far from its centre
const float margin = 6;  // this far past an edge it is gone for good
const float bounce_keep = 0.5f;

const float blast_radius = 100;
const float blast_damage = 100;  // kills anyone: health never exceeds 100
const float no_direction = 1000;
const float body_x = 20;  // body centre from a fighter's corner
const float body_y = 40;
const int blast_flames = 30;
const int flame_spread = 101;  // offsets 0..100 ...
const int flame_offset = 50;   // ... centred on the blast

// The point of the picture that sits on the grenade's position.
const float pivot_x = 7;
const float pivot_y = 6;

// Points are truncated to whole units, like every body's probes.
bool solid_at(float a, float b)
{
    return map.solid(static_cast<int>(a), static_cast<int>(b));
}

// Moves `position` towards `target` one unit at a time while the grenade's
// edge on that side is free and it has not gone past the margin of an edge at 0 and `edge`.
template <class Blocked>
void sweep_axis(float& position, float target, float speed, float edge, Blocked blocked)
{
    if (speed > 0) {
        while (position < target && position - margin < edge && !blocked(position + probe))
            position += std::min(target - position, step_length);
    } else if (speed < 0) {
        while (position > target && position + margin >= 0 && !blocked(position - probe))
            position += std::max(target - position, -step_length);
    }
}

bool in_blast(const cplayer& fighter, float x, float y)
{
    return std::hypot(fighter.get_x() + body_x - x, fighter.get_y() + body_y - y) < blast_radius;
}

}  // namespace

void cgrenade::init(float new_x, float new_y, float angle, float speed, int new_owner)
{
    rot = 0;
    fuse = fuse_ticks;
    x = new_x;
    y = new_y;
    vx = std::cos(angle) * speed;
    vy = std::sin(angle) * speed;
    owner = new_owner;
}

void cgrenade::set_motion(float new_rot, float new_vx, float new_vy)
{
    rot = new_rot;
    vx = new_vx;
    vy = new_vy;
}

void cgrenade::update()
{
    if (!active())
        return;
    if (fuse < last_fuse) {
        explode();
        return;
    }
    // The fuse burns in the air too: a long throw explodes before it lands.
    const float s = game.slow();
    fuse -= s;
    if (at_rest())
        lie_still();
    else
        spin(s);
    if (!solid_at(x, y + 1))
        vy += gravity * s;
    if (vx == 0 && vy == 0)
        return;

    const float tx = x + vx * s;
    const float ty = y + vy * s;
    sweep(tx, ty);
    if (left_map()) {
        fuse = 0;  // lost off the map without a blast
        return;
    }
    bounce(x != tx, y != ty);
}

bool cgrenade::at_rest() const
{
    return std::fabs(vx) < rest_speed && std::fabs(vy) < rest_speed && solid_at(x, y + probe);
}

void cgrenade::lie_still()
{
    vx = 0;
    vy = 0;
    rot = 0;
}

void cgrenade::spin(float s)
{
    // Always the same way round, wrapping at half a turn.
    const double turned = rot + spin_speed * s;
    rot = static_cast<float>(turned < pi ? turned : -pi);
}

void cgrenade::sweep(float tx, float ty)
{
    const float width = static_cast<float>(map.get_width());
    const float height = static_cast<float>(map.get_height());
    sweep_axis(x, tx, vx, width, [this](float a) { return solid_at(a, y); });
    sweep_axis(y, ty, vy, height, [this](float b) { return solid_at(x, b); });
}

bool cgrenade::left_map() const
{
    return x + margin < 0 || x - margin >= map.get_width() || y + margin < 0 || y - margin >= map.get_height();
}

void cgrenade::bounce(bool sideways, bool vertically)
{
    // A corner hit takes both.
    if (sideways) {
        vx = -bounce_keep * vx;
        vy = bounce_keep * vy;
    }
    if (vertically) {
        vx = bounce_keep * vx;
        vy = -bounce_keep * vy;
    }
}

void cgrenade::explode()
{
    // Walls shelter nobody, and the thrower is as mortal as anyone.
    for (cplayer& fighter : players)
        if (fighter.get_active() && fighter.get_health() > 0 && in_blast(fighter, x, y))
            fighter.damage(no_direction, blast_damage, owner);
    start_flames();
    play_sound_at(sexplosion, x, y);
    fuse = 0;
}

void cgrenade::start_flames()
{
    start_in_free_slots(flames, blast_flames, [this](cflame& flame, int) {
        // The vertical offset is drawn first.
        const int down = std::rand() % flame_spread;
        const int across = std::rand() % flame_spread;
        flame.init(x + across - flame_offset, y + down - flame_offset, 0, 0, false);
    });
}

void cgrenade::draw() const
{
    if (!active() || !bgrenade)
        return;
    al_draw_rotated_bitmap(bgrenade, pivot_x, pivot_y, std::floor(x) - map.get_xs(), std::floor(y) - map.get_ys(),
                           rot, 0);
}

#include "weapons/cgrenade.h"

#include <cmath>
#include <cstdlib>

#include "app/assets.h"
#include "effects/cflame.h"
#include "fighters/cplayer.h"
#include "fighters/last_blow.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/pools.h"
#include "match/sound_at.h"

namespace {

const float fuse_ticks = 150;
const float last_fuse = 2;  // below this the tick is the blast: 150 updates at full speed

const float gravity = 0.25f;
// Contact points lie 5 units from its centre; 6 units past an edge it is gone.
const bounce_numbers grenade = {5, 6};

const float blast_radius = 100;
const float blast_damage = 100;  // kills anyone: health never exceeds 100
const float no_direction = 1000;
const int blast_flames = 30;
const int flame_spread = 101;  // offsets 0..100 ...
const int flame_offset = 50;   // ... centred on the blast

// The point of the picture that sits on the grenade's position.
const float pivot_x = 7;
const float pivot_y = 6;

bool in_blast(const cplayer& fighter, float x, float y)
{
    return std::hypot(fighter.get_x() + cplayer::body_centre_x - x, fighter.get_y() + cplayer::body_centre_y - y) < blast_radius;
}

}  // namespace

void cgrenade::init(float new_x, float new_y, float angle, float speed, int new_owner)
{
    rot = 0;
    fuse = fuse_ticks;
    body.x = new_x;
    body.y = new_y;
    body.vx = std::cos(angle) * speed;
    body.vy = std::sin(angle) * speed;
    owner = new_owner;
}

void cgrenade::set_motion(float new_rot, float new_vx, float new_vy)
{
    rot = new_rot;
    body.vx = new_vx;
    body.vy = new_vy;
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
    if (at_rest(body, grenade))
        lie_still();
    else
        rot = spun(rot, s);
    if (falls(body))
        body.vy += gravity * s;
    if (body.vx == 0 && body.vy == 0)
        return;
    if (fly(body, s, grenade) == flight::left_map)
        fuse = 0;  // lost off the map without a blast
}

void cgrenade::lie_still()
{
    body.vx = 0;
    body.vy = 0;
    rot = 0;
}

void cgrenade::explode()
{
    // Walls shelter nobody, and the thrower is as mortal as anyone.
    for (cplayer& fighter : players)
        if (fighter.get_active() && fighter.get_health() > 0 && in_blast(fighter, body.x, body.y))
            fighter.damage(no_direction, blast_damage, owner, blow_grenade);
    start_flames();
    play_sound_at(sexplosion, body.x, body.y);
    fuse = 0;
}

void cgrenade::start_flames()
{
    start_in_free_slots(flames, blast_flames, [this](cflame& flame, int) {
        // The vertical offset is drawn first.
        const int down = std::rand() % flame_spread;
        const int across = std::rand() % flame_spread;
        flame.init(body.x + across - flame_offset, body.y + down - flame_offset, 0, 0, false);
    });
}

void cgrenade::draw() const
{
    if (!active() || !bgrenade)
        return;
    al_draw_rotated_bitmap(bgrenade, pivot_x, pivot_y, std::floor(body.x) - map.get_xs(),
                           std::floor(body.y) - map.get_ys(),
                           rot, 0);
}

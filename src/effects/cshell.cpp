#include "effects/cshell.h"

#include <cmath>
#include <cstdlib>

#include "app/assets.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/sound_at.h"

namespace {

const double pi = ALLEGRO_PI;
const float shell_life = 400;
const float fade_ticks = 100;  // fades out over its last ticks
const int most_throw = 5;      // each speed component is 1..5 times the direction's

const double gravity = 0.25;
// Its contact points are the position itself; a casing may wander 2 units past an edge.
const bounce_numbers casing = {1, 2};
const float clink_speed = 1;  // softer bounces are silent

// The point about which the picture turns.
const float pivot_x = 3;
const float pivot_y = 1;

int throw_factor()
{
    return std::rand() % most_throw + 1;
}

}  // namespace

void cshell::init(float new_x, float new_y, float direction, bool new_shotgun_shell)
{
    if (solid_at(new_x, new_y))
        return;
    angle = 0;
    life = shell_life;
    body.x = new_x;
    body.y = new_y;
    // Two separate draws, so the throw's shape varies as well as its strength.
    body.vx = std::cos(direction) * throw_factor();
    body.vy = std::sin(direction) * throw_factor();
    shotgun_shell = new_shotgun_shell;
}

void cshell::set_motion(float new_angle, float new_vx, float new_vy)
{
    angle = new_angle;
    body.vx = new_vx;
    body.vy = new_vy;
}

void cshell::update()
{
    if (!active())
        return;
    const float s = game.slow();
    life -= s;
    if (!active())
        return;
    if (at_rest(body, casing))
        lie_flat();
    else
        angle = spun(angle, s);
    if (falls(body))
        body.vy = static_cast<float>(body.vy + gravity * s);
    // A resting casing never moves again.
    if (body.vx == 0 && body.vy == 0)
        return;

    const flight flown = fly(body, s, casing);
    if (flown == flight::left_map)
        life = 0;
    else if (flown == flight::bounced && (std::fabs(body.vx) > clink_speed || std::fabs(body.vy) > clink_speed))
        play_sound_at(sshell + 2 * kind(), body.x, body.y);
}

void cshell::lie_flat()
{
    body.vx = 0;
    body.vy = 0;
    const bool upright = angle > -pi / 2 && angle < pi / 2;
    angle = upright ? 0.0f : static_cast<float>(pi);
}

void cshell::draw() const
{
    ALLEGRO_BITMAP* picture = bshell[kind()];
    if (!active() || !picture)
        return;
    const float screen_x = std::floor(body.x) - map.get_xs();
    const float screen_y = std::floor(body.y) - map.get_ys();
    if (life > fade_ticks) {
        al_draw_rotated_bitmap(picture, pivot_x, pivot_y, screen_x, screen_y, angle, 0);
    } else {
        const ALLEGRO_COLOR tint = al_premul_rgba_f(1, 1, 1, life / fade_ticks);
        al_draw_tinted_rotated_bitmap(picture, tint, pivot_x, pivot_y, screen_x, screen_y, angle, 0);
    }
}

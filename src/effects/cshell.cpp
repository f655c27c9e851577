#include "effects/cshell.h"

#include <algorithm>
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

// Slower than this on both axes while on solid ground, it lies still.
const float rest_speed = 0.5f;
const double spin_speed = 0.05;
const double gravity = 0.25;

const float step_length = 1;
const float margin = 2;  // a casing may wander this far past an edge
const float bounce_keep = 0.5f;
const float clink_speed = 1;  // softer bounces are silent

// The point about which the picture turns.
const float pivot_x = 3;
const float pivot_y = 1;

// Points are truncated to whole units, so -0.5 still lies in the first column.
bool solid_at(float a, float b)
{
    return map.solid(static_cast<int>(a), static_cast<int>(b));
}

int throw_factor()
{
    return std::rand() % most_throw + 1;
}

// Moves `position` towards `target` one unit at a time while the next unit is
// free and the casing has not gone past the margin of an edge at 0 and `edge`.
template <class Blocked>
void sweep_axis(float& position, float target, float speed, float edge, Blocked blocked)
{
    if (speed > 0) {
        while (target > position && position - margin < edge && !blocked(position + step_length))
            position += std::min(target - position, step_length);
    } else if (speed < 0) {
        while (position > target && position + margin >= 0 && !blocked(position - step_length))
            position += std::max(target - position, -step_length);
    }
}

}  // namespace

void cshell::init(float new_x, float new_y, float direction, bool new_shotgun_shell)
{
    if (solid_at(new_x, new_y))
        return;
    angle = 0;
    life = shell_life;
    x = new_x;
    y = new_y;
    // Two separate draws, so the throw's shape varies as well as its strength.
    vx = std::cos(direction) * throw_factor();
    vy = std::sin(direction) * throw_factor();
    shotgun_shell = new_shotgun_shell;
}

void cshell::set_motion(float new_angle, float new_vx, float new_vy)
{
    angle = new_angle;
    vx = new_vx;
    vy = new_vy;
}

void cshell::update()
{
    if (!active())
        return;
    const float s = game.slow();
    life -= s;
    if (!active())
        return;
    if (at_rest())
        lie_flat();
    else
        spin(s);
    if (!solid_at(x, y + 1))
        vy = static_cast<float>(vy + gravity * s);
    // A resting casing never moves again.
    if (vx == 0 && vy == 0)
        return;

    const float tx = x + vx * s;
    const float ty = y + vy * s;
    sweep(tx, ty);
    if (left_map()) {
        life = 0;
        return;
    }
    if (x == tx && y == ty)
        return;
    bounce(x != tx, y != ty);
    if (std::fabs(vx) > clink_speed || std::fabs(vy) > clink_speed)
        play_sound_at(sshell + 2 * kind(), x, y);
}

bool cshell::at_rest() const
{
    return std::fabs(vx) < rest_speed && std::fabs(vy) < rest_speed && solid_at(x, y + 1);
}

void cshell::lie_flat()
{
    vx = 0;
    vy = 0;
    const bool upright = angle > -pi / 2 && angle < pi / 2;
    angle = upright ? 0.0f : static_cast<float>(pi);
}

void cshell::spin(float s)
{
    // Always the same way round, wrapping at half a turn.
    const double turned = angle + spin_speed * s;
    angle = static_cast<float>(turned < pi ? turned : -pi);
}

void cshell::sweep(float tx, float ty)
{
    const float width = static_cast<float>(map.get_width());
    const float height = static_cast<float>(map.get_height());
    sweep_axis(x, tx, vx, width, [this](float a) { return solid_at(a, y); });
    sweep_axis(y, ty, vy, height, [this](float b) { return solid_at(x, b); });
}

bool cshell::left_map() const
{
    return x + margin < 0 || x - margin >= map.get_width() || y + margin < 0 || y - margin >= map.get_height();
}

void cshell::bounce(bool sideways, bool vertically)
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

void cshell::draw() const
{
    ALLEGRO_BITMAP* picture = bshell[kind()];
    if (!active() || !picture)
        return;
    const float screen_x = std::floor(x) - map.get_xs();
    const float screen_y = std::floor(y) - map.get_ys();
    if (life > fade_ticks) {
        al_draw_rotated_bitmap(picture, pivot_x, pivot_y, screen_x, screen_y, angle, 0);
    } else {
        const ALLEGRO_COLOR tint = al_premul_rgba_f(1, 1, 1, life / fade_ticks);
        al_draw_tinted_rotated_bitmap(picture, tint, pivot_x, pivot_y, screen_x, screen_y, angle, 0);
    }
}

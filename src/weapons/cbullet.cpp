#include "weapons/cbullet.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>
#include <cmath>

#include "fighters/cplayer.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

const float speed = 50;           // units per tick
const float longest_tail = 127;
const float tail_per_unit = 0.5f;  // the streak grows half a unit per unit flown
const float box_width = 39;
const float box_height = 80;

}  // namespace

void cbullet::init(float new_x, float new_y, float new_angle, int new_power, int new_owner)
{
    if (solid_at(new_x, new_y))
        return;
    angle = new_angle;
    // The flight is straight: its direction is worked out once.
    dir_x = std::cos(angle);
    dir_y = std::sin(angle);
    tail = 0;
    x = new_x;
    y = new_y;
    power = new_power;
    owner = new_owner;
    active = true;
    flying = true;
}

void cbullet::update()
{
    if (!active)
        return;
    const float step = speed * game.slow();
    if (flying) {
        if (!fly(step)) {
            hit();
            flying = false;
        }
        return;
    }
    // Stopped: the tail shrinks towards the head at the bullet's own speed.
    if (tail > step)
        tail -= step;
    else
        active = false;
}

bool cbullet::fly(float step)
{
    // Nobody moves while a bullet flies, so the fighters far from its path
    // are left out once instead of at every unit. The next point never lies
    // more than the step and a unit away.
    int near[max_players];
    const int count = fighters_near(step + 2, near);
    float left = step;
    while (left > 0 && screen() && !collision() && near_fighter_hit(near, count) == -1) {
        const float unit = left >= 1 ? 1.0f : left;
        x += unit * dir_x;
        y += unit * dir_y;
        left -= 1;
        if (tail < longest_tail)
            tail += tail_per_unit;
    }
    return left <= 0;
}

void cbullet::hit()
{
    // At the map's edge nothing is hit.
    if (!screen())
        return;
    if (collision()) {
        // The point one unit back lies on the free side of the wall.
        map.damage(static_cast<int>(x - dir_x), static_cast<int>(y - dir_y));
        return;
    }
    const int victim = player();
    if (victim >= 0)
        players[victim].damage(angle, static_cast<float>(power), owner);
}

void cbullet::draw() const
{
    if (!active)
        return;
    const float xs = static_cast<float>(map.get_xs());
    const float ys = static_cast<float>(map.get_ys());
    // A longer streak is also more opaque.
    const int alpha = static_cast<int>(2 * tail);
    al_draw_line(x - xs, y - ys, x - tail * dir_x - xs, y - tail * dir_y - ys,
                 al_premul_rgba(255, 255, 255, static_cast<unsigned char>(alpha)), 0);
}

bool cbullet::screen() const
{
    const float next_x = x + dir_x;
    const float next_y = y + dir_y;
    return next_x >= 0 && next_x < map.get_width() && next_y >= 0 && next_y < map.get_height();
}

bool cbullet::collision() const
{
    return solid_at(x + dir_x, y + dir_y);
}

int cbullet::player() const
{
    const float next_x = x + dir_x;
    const float next_y = y + dir_y;
    for (int i = 0; i < max_players; i++) {
        const cplayer& fighter = players[i];
        if (fighter.get_active() && fighter.get_health() > 0 && fighter.get_id() != owner &&
            enemy(i, next_x, next_y))
            return i;
    }
    return -1;
}

int cbullet::fighters_near(float reach, int* near) const
{
    int count = 0;
    for (int i = 0; i < max_players; i++) {
        const cplayer& fighter = players[i];
        if (fighter.get_active() && fighter.get_health() > 0 && fighter.get_id() != owner &&
            fighter.get_x() <= x + reach && x - reach < fighter.get_x() + box_width &&
            fighter.get_y() <= y + reach && y - reach < fighter.get_y() + box_height)
            near[count++] = i;
    }
    return count;
}

int cbullet::near_fighter_hit(const int* near, int count) const
{
    for (int k = 0; k < count; k++)
        if (enemy(near[k], x + dir_x, y + dir_y))
            return near[k];
    return -1;
}

bool cbullet::enemy(int i, float px, float py) const
{
    const cplayer& fighter = players[i];
    return fighter.get_x() <= px && px < fighter.get_x() + box_width && fighter.get_y() <= py &&
           py < fighter.get_y() + box_height;
}

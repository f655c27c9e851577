// The human's control: keys to steering, the view that follows the fighter,
// mouse aiming, the trigger, grenades and reloading. `aim` and `grenade` are
// shared with the bots.
#include "fighters/cplayer.h"

#include <cmath>
#include <cstdlib>

#include "app/logical_screen.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/control.h"
#include "match/pools.h"
#include "weapons/cgrenade.h"

namespace {

const int screen_width = logical_width;
const int screen_height = logical_height;

// The aiming origin and gun pivot (x + 19, y + 22).
const float aim_origin_x = 19;
const float aim_origin_y = 22;

// The muzzle sits beside the aim line: nearer for the pistol, held one-handed.
const int pistol_type = 0;
const double pistol_offset = 9;
const double long_gun_offset = 14;
const double side_angle = 1.57;
const double error_step = 0.01;

const float full_charge = 13;
const float charge_rate = 0.2f;
// Grenades leave from (x + 20, y + 20).
const float launch_x = 20;
const float launch_y = 20;

// The scroll along one axis that puts the body centre mid-screen, held
// inside the map. A map smaller than the screen keeps its own centring.
int follow(float position, int centre, int map_size, int screen_size)
{
    const int half = screen_size / 2;
    if (map_size < screen_size)
        return map_size / 2 - half;
    if (position <= half - centre)
        return 0;
    if (position < map_size - half - centre)
        return static_cast<int>(position - half + centre);
    return map_size - screen_size;
}

}  // namespace

void cplayer::player_move()
{
    const control_reading control = control_of(id);
    if (control.key(key_jump))
        jump();
    // D wins when both walking keys are held.
    if (control.key(key_right))
        move_right();
    else if (control.key(key_left))
        move_left();
    // The match ignores the repeats while the key stays down.
    if (control.key(key_slow_motion))
        game.slowmotion();
}

void cplayer::player_screen()
{
    view_x = follow(x, body_centre_x, map.get_width(), screen_width);
    view_y = follow(y, body_centre_y, map.get_height(), screen_height);
    show_view();
}

void cplayer::show_view() const
{
    map.set_screen(view_x, view_y);
}

void cplayer::player_shoot()
{
    const control_reading control = control_of(id);
    const float mx = control.screen_x() + map.get_xs();
    const float my = control.screen_y() + map.get_ys();
    aim(mx - x - aim_origin_x, my - y - aim_origin_y, 0);

    if (!control.button(button_throw)) {
        if (control.button(button_fire))
            weapon->shoot();
        // The right button was just released after charging.
        if (power > 0)
            grenade();
    } else if (grenades > 0 && power < full_charge) {
        power += charge_rate * game.slow();
    }

    if (control.key(key_reload))
        weapon->reload();
}

int cplayer::weapon_type() const
{
    return weapon ? weapon->get_type() : pistol_type;
}

void cplayer::aim(float dx, float dy, int spread)
{
    dir = dx < 0;
    const float a = std::atan2(dy, dx);

    // Aim from the muzzle, not the shoulder, so the shot meets the target.
    const bool pistol = weapon_type() == pistol_type;
    const double offset = pistol ? pistol_offset : long_gun_offset;
    const double p = pistol != dir ? a - side_angle : a + side_angle;
    const int error = std::rand() % (2 * spread + 1) - spread;
    angle = static_cast<float>(std::atan2(dy - std::sin(p) * offset, dx - std::cos(p) * offset) +
                               error * error_step);
}

void cplayer::grenade()
{
    // With all grenade records in flight nothing leaves and none is used up.
    cgrenade* thrown = grenades > 0 ? first_free(::grenades) : nullptr;
    if (thrown) {
        thrown->init(x + launch_x, y + launch_y, angle, power, id);
        grenades--;
    }
    power = 0;
}

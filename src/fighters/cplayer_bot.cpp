// Bot behaviour: walking and jumping along the map's waypoint markers,
// picking the nearest fighter in sight, reacting, aiming, firing, throwing
// grenades at fighters on the same level, and standing to fight now and then.
#include "fighters/cplayer.h"

#include <cmath>
#include <cstdlib>

#include "app/logical_screen.h"
#include "map/cell_code.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

const int body_width = 39;
const int body_height = 80;
const int cell_size = 40;

// Markers are read at the upper body, (x + 20, y + 20).
const float marker_probe_x = 20;
const float marker_probe_y = 20;

const int heading_jump = 1;
const int heading_right = 2;
const int heading_left = 3;

// Only fighters within half a screen each way are seen, from the body centre.
const float window_x = logical_width / 2;
const float window_y = logical_height / 2;
const float eye_x = cplayer::body_centre_x;
const float eye_y = cplayer::body_centre_y;
// No sight ray inside the window is longer than this.
const int longest_sight = 1200;
// Nearer than this a fighter is too close to fight and crowds the bot.
const float too_close = 40;
// Farther than any fighter in the window: nothing this far is a target.
const float out_of_reach = 1000000;
const float crowd_patience = 100;

// The aim error grows with the skill number (0 hard, 2 easy), as the
// reaction time does.
const int error_per_skill = 10;

// A grenade is lobbed at 45 degrees at a target on the same level.
const float grenade_range = 150;
const float same_level = 1;
const float lob_right = -0.7854f;
const float lob_left = -2.3562f;
const double throw_scale = 0.2164;
const double throw_exponent = 0.5976;
const float pause_after_throw = 200;

const int minigun_type = 3;
const float look_distance = 960;

// A countdown by s that stops at 0.
float count_down(float value, float s)
{
    return value > s ? value - s : 0;
}

// The new heading of a bot entering a cell with marker `kind`; a random
// number is drawn only where a kind needs one.
int waypoint_heading(int kind, int heading)
{
    const int keep_left = heading == heading_left ? heading_left : heading_right;
    const int keep_right = heading == heading_right ? heading_right : heading_left;
    switch (waypoint::action_of(kind)) {
    case waypoint::action::jump: return heading_jump;
    case waypoint::action::right: return heading_right;
    case waypoint::action::left: return heading_left;
    case waypoint::action::jump_or_keep_left: return std::rand() % 2 == 0 ? heading_jump : keep_left;
    case waypoint::action::keep_either_side: return std::rand() % 2 == 0 ? keep_left : keep_right;
    case waypoint::action::jump_or_keep_right: return std::rand() % 2 == 0 ? heading_jump : keep_right;
    case waypoint::action::jump_or_either_side:
        switch (std::rand() % 3) {
        case 0: return heading_jump;
        case 1: return keep_left;
        default: return keep_right;
        }
    case waypoint::action::keep: break;
    }
    return heading;
}

}  // namespace

void cplayer::bot_move()
{
    const int probe_x = static_cast<int>(x + marker_probe_x);
    const int probe_y = static_cast<int>(y + marker_probe_y);
    const int cell = probe_x / cell_size + probe_y / cell_size * map.get_width() / cell_size;
    // A marker acts once, when the upper body enters its cell.
    if (cell != last_cell) {
        heading = waypoint_heading(cell_code::marker(map.get_map(probe_x, probe_y)), heading);
        last_cell = cell;
    }
    if (pause > 0)
        return;
    switch (heading) {
    case heading_jump:
        jump();
        break;
    case heading_right:
        // A blocked bot jumps at the obstacle.
        if (right())
            jump();
        else
            move_right();
        break;
    case heading_left:
        if (left())
            jump();
        else
            move_left();
        break;
    default:
        break;
    }
}

void cplayer::bot_shoot()
{
    const float s = game.slow();
    const int skill = game.get_lineup().skill;
    if (pause > 0)
        pause = count_down(pause, s);
    grenade_wait = count_down(grenade_wait, s);

    const int target = bot_target();
    bool engaged = false;
    if (target < 0) {
        // The reaction time recovers only while nothing is in sight.
        if (reaction < skill * reaction_per_skill)
            reaction += s;
        if (pause == 0)
            pause = -1;
    } else if (reaction != 0) {
        reaction = count_down(reaction, s);
    } else {
        engage(players[target].x - x, players[target].y - y);
        engaged = true;
    }

    if (crowd_time > crowd_patience) {
        if (pause <= 0 && down() && (std::rand() & 1) == 0)
            pause = static_cast<float>(std::rand() % 5 * 50 + 100);
        crowd_time = 0;
    }
    if (!engaged)
        look_along_the_way();
}

// Acts on a target at (dx, dy) from corner to corner: a grenade, or the gun.
void cplayer::engage(float dx, float dy)
{
    const int skill = game.get_lineup().skill;
    if (grenades > 0 && grenade_wait == 0 && down() && std::fabs(dx) > grenade_range &&
        std::fabs(dy) < same_level) {
        angle = dx > 0 ? lob_right : lob_left;
        power = static_cast<float>(throw_scale * std::pow(std::fabs(dx), throw_exponent));
        grenade();
        aim(dx, dy, 0);
        reaction = skill * reaction_per_skill;
        pause = pause_after_throw;
        grenade_wait = static_cast<float>(std::rand() % grenade_wait_range + grenade_wait_min);
        return;
    }
    if (!weapon)
        return;
    if (weapon->get_reloading()) {
        aim(dx, dy, 0);
    } else if (weapon->get_delay() == 0) {
        // Only the firing aim carries the skill's error.
        aim(dx, dy, skill * error_per_skill);
        weapon->shoot();
        // The first shot at a target decides, once, whether to stand and fight.
        if (pause < 0) {
            if (std::rand() % 3 == 0 && down())
                pause = static_cast<float>((std::rand() % 3 + 2) * 100);
            else
                pause = 0;
        }
    } else {
        aim(dx, dy, 0);
        // The minigun's barrel keeps turning while its cool-down runs.
        if (weapon->get_type() == minigun_type)
            weapon->shoot();
    }
}

// The nearest fighter in sight beyond arm's length, ties to the lower
// index; one in sight at arm's length or nearer crowds the bot. Rays cost
// most, so the fighters are looked at nearest first and the search stops at
// the first one in sight beyond arm's length: no farther one could win.
int cplayer::bot_target()
{
    struct candidate {
        int id;
        float distance;
    };
    candidate nearest_first[max_players];
    int count = 0;
    for (int i = 0; i < max_players; i++) {
        const cplayer& other = players[i];
        if (!other.active || other.health <= 0 || i == id)
            continue;
        if (std::fabs(other.x - x) >= window_x || std::fabs(other.y - y) >= window_y)
            continue;
        const float distance = std::hypot(other.x - x, other.y - y);
        if (!(distance < out_of_reach))
            continue;
        // Insertion keeps equal distances in index order.
        int at = count++;
        for (; at > 0 && nearest_first[at - 1].distance > distance; at--)
            nearest_first[at] = nearest_first[at - 1];
        nearest_first[at] = {i, distance};
    }

    int result = -1;
    bool close = false;
    for (int k = 0; k < count && result < 0; k++) {
        const candidate& other = nearest_first[k];
        if (other.distance > too_close) {
            if (in_sight(other.id))
                result = other.id;
        } else if (!close && in_sight(other.id)) {
            close = true;
        }
    }
    crowd_time = close ? crowd_time + game.slow() : 0;
    return result;
}

// A ray in unit steps from the body centre towards fighter i; only walls block it.
bool cplayer::in_sight(int i) const
{
    const cplayer& other = players[i];
    const float heading_angle = std::atan2(other.y - y, other.x - x);
    const float step_x = std::cos(heading_angle);
    const float step_y = std::sin(heading_angle);
    float px = x + eye_x;
    float py = y + eye_y;
    for (int step = 0; step < longest_sight; step++) {
        if (solid_at(px, py))
            return false;
        if (bot_enemy(i, px, py))
            return true;
        px += step_x;
        py += step_y;
    }
    return false;
}

bool cplayer::bot_enemy(int i, float px, float py) const
{
    const cplayer& other = players[i];
    return other.get_x() <= px && px < other.get_x() + body_width && other.get_y() <= py &&
           py < other.get_y() + body_height;
}

void cplayer::look_along_the_way()
{
    // A jumping bot keeps whatever aim it had.
    if (heading == heading_jump)
        return;
    aim(heading == heading_left ? -look_distance : look_distance, 0, 0);
}

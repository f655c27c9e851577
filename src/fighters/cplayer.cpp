// The fighter's life cycle: entering a match, the wait before each entry,
// spawning with a gun, being hurt and killed, and counting kills.
#include "fighters/cplayer.h"
#include "fighters/last_blow.h"

#include <cstdlib>

#include "app/assets.h"
#include "effects/cblood.h"
#include "effects/cflesh.h"
#include "effects/csmoke.h"
#include "fighters/fighter_palette.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/chud.h"
#include "match/pools.h"
#include "match/sound_at.h"
#include "weapons/cmachine_gun.h"
#include "weapons/cminigun.h"
#include "weapons/cpistol.h"
#include "weapons/cshotgun.h"

namespace {

const float full_health = 100;
const float dead_time = -500;  // health while waiting; it climbs to 0, then the fighter enters
const int start_grenades = 3;
const float standing_frame = 0.999f;

// The human's weapon offer opens once, about 150 ticks into the wait.
const float offer_low = -351;
const float offer_high = -349;
const float offer_skip = 3;

const int colour_count = 6;
const int head_count = 3;
const int weapon_count = 4;

// Slow-motion energy the human earns by hitting.
const int kill_energy = 250;
const int wound_energy = 50;
const int end_slow_motion = -1;

const int flesh_chunks = 10;
const int blood_calls = 26;
const int smoke_columns = 5;
const int smoke_rows = 9;
const float smoke_spacing = 10;

// Hits by humans earn the shared slow motion.
bool human(int slot)
{
    return slot >= 0 && slot < max_players && !players[slot].get_bot();
}

}  // namespace

void cplayer::init(int new_id)
{
    // Nothing of the slot's last match lingers: the match hash reads every
    // field, and a replay must not depend on what was played before it.
    set_state(fighter_state());
    bot = !game.is_human_slot(new_id);
    view_x = map.get_xs();
    view_y = map.get_ys();
    if (bot) {
        head = std::rand() % head_count;
        const int shirt = std::rand() % colour_count;
        int pants = std::rand() % colour_count;
        // A bot never wears one colour top to bottom.
        if (pants == shirt)
            pants = shirt == colour_count - 1 ? 0 : shirt + 1;
        select_color(0, shirt);
        select_color(1, pants);
    } else {
        const int* look = game.human_colors(new_id);
        head = look[0];
        select_color(0, look[1]);
        select_color(1, look[2]);
    }
    health = dead_time;
    id = new_id;
    kills = 0;
    deaths = 0;
    active = true;
    drop_weapon();
}

void cplayer::deinit()
{
    drop_weapon();
}

void cplayer::select_color(bool which, int index)
{
    colors[which] = cloth_color(index);
}

void cplayer::select_weapon(int number)
{
    drop_weapon();
    switch (number) {
    case 1: weapon = std::make_unique<cpistol>(id); break;
    case 2: weapon = std::make_unique<cmachine_gun>(id); break;
    case 3: weapon = std::make_unique<cshotgun>(id); break;
    default: weapon = std::make_unique<cminigun>(id); break;
    }
}

void cplayer::restore_weapon(int type, const gun_state& state)
{
    if (type < 0) {
        drop_weapon();
        return;
    }
    if (!weapon || weapon->get_type() != type)
        select_weapon(type + 1);  // gun numbers count from 1, types from 0
    weapon->set_state(state);
}

void cplayer::drop_weapon()
{
    // The guns with their own sound instances release them in stop().
    if (weapon)
        weapon->stop();
    weapon.reset();
}

void cplayer::become_bot()
{
    bot = true;
    start_bot_mind();
}

void cplayer::become_human(const int* look)
{
    bot = false;
    // The player's own score starts here; the bot's goes with it.
    kills = 0;
    deaths = 0;
    if (!look)
        return;
    head = look[0];
    select_color(0, look[1]);
    select_color(1, look[2]);
}

void cplayer::start_bot_mind()
{
    reaction = game.get_lineup().skill * reaction_per_skill;
    crowd_time = 0;
    pause = -1;
    grenade_wait = static_cast<float>(std::rand() % grenade_wait_range + grenade_wait_min);
    heading = 0;
    last_cell = -1;
}

bool cplayer::spawn()
{
    const int spawn_points = map.get_nsp();
    if (spawn_points <= 0)
        return false;
    const int point = std::rand() % spawn_points;

    frame = standing_frame;
    health = full_health;
    power = 0;
    x = static_cast<float>(map.get_spx(point));
    y = static_cast<float>(map.get_spy(point));
    vx = 0;
    vy = 0;
    grenades = start_grenades;

    if (bot) {
        start_bot_mind();
        select_weapon(std::rand() % weapon_count + 1);
    } else {
        // The offer is closed again before the human enters; its magnitude is the choice.
        select_weapon(std::abs(hud.get_weapon(id)));
    }
    smoke_cloud();
    return true;
}

// A cloud of puffs over the whole body hides the entry.
void cplayer::smoke_cloud()
{
    start_in_free_slots(smoke, smoke_columns * smoke_rows, [this](csmoke& puff, int k) {
        const float dx = k % smoke_columns * smoke_spacing;
        const float dy = k / smoke_columns * smoke_spacing;
        puff.init(x + dx, y + dy);
    });
}

void cplayer::update()
{
    if (!active)
        return;
    if (health >= 0)
        live_tick();
    // Not an else: a fall out of the map starts the wait on the same tick.
    if (health < 0)
        wait_tick();
}

void cplayer::live_tick()
{
    // A map without spawn points keeps everyone out of the arena.
    if (health == 0 && !spawn())
        return;

    if (bot)
        bot_move();
    else
        player_move();
    movement();
    if (health <= 0)
        return;

    if (bot) {
        bot_shoot();
    } else {
        player_screen();
        player_shoot();
    }
    animation();
    weapon->update();
}

void cplayer::wait_tick()
{
    const float s = game.slow();
    if (health < -s)
        health += s;
    else
        health = 0;

    if (!bot && health > offer_low && health < offer_high) {
        hud.select(id);
        health += offer_skip;
    }
}

void cplayer::damage(float direction, float amount, int attacker, int cause)
{
    // Only the living can be hurt; a second blow on the same tick finds a corpse.
    if (!active || health <= 0)
        return;
    if (health - amount <= 0)
        die(direction, attacker, cause);
    else
        wound(amount, attacker);
}

void cplayer::die(float direction, int attacker, int cause)
{
    health = dead_time;
    deaths++;
    // A shot is named after the gun the shooter holds as it lands.
    const bool armed = attacker >= 0 && attacker < max_players && players[attacker].weapon;
    if (cause < 0)
        cause = armed ? players[attacker].weapon->get_type() : blow_fall;
    game.record_death(id, attacker, cause);
    if (attacker >= 0 && attacker < max_players)
        players[attacker].score(attacker != id);
    throw_flesh(direction);
    drop_weapon();

    if (!bot)
        game.powerup(end_slow_motion);
    else if (human(attacker))
        game.powerup(kill_energy);
    play_sound_at(sblood, x, y);
}

void cplayer::wound(float amount, int attacker)
{
    health -= amount;
    spill_blood();
    if (human(attacker))
        game.powerup(wound_energy);
}

void cplayer::throw_flesh(float direction)
{
    start_in_free_slots(flesh, flesh_chunks, [this, direction](cflesh& chunk, int) {
        chunk.init(x + body_centre_x, y + body_centre_y, direction);
    });
}

void cplayer::spill_blood()
{
    for (int call = 0; call < blood_calls; call++) {
        // The vertical jitter is drawn first.
        const int jitter_y = std::rand() % 5 - 2;
        const int jitter_x = std::rand() % 5 - 2;
        if (!blood.init(x + 20 + jitter_x, y + 25 + jitter_y))
            break;
    }
}

void cplayer::score(bool credit)
{
    if (credit)
        kills++;
    else if (kills > 0)
        kills--;
}

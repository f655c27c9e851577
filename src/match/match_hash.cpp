#include "match/match_hash.h"

#include <cstring>

#include "effects/cblood.h"
#include "effects/cfire.h"
#include "effects/cflame.h"
#include "effects/cflesh.h"
#include "effects/cparticle.h"
#include "effects/cshell.h"
#include "effects/csmoke.h"
#include "fighters/cplayer.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/chud.h"
#include "match/pools.h"
#include "match/random_state.h"
#include "weapons/cbullet.h"
#include "weapons/cgrenade.h"

namespace {

// Values go in one at a time, never as raw structs, so padding never counts.
class fnv1a {
public:
    void add(float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        add_bits(bits);
    }
    void add(int value) { add_bits(static_cast<std::uint32_t>(value)); }
    void add(std::uint32_t value) { add_bits(value); }
    void add(bool value) { add_byte(value ? 1u : 0u); }
    void add(const ALLEGRO_COLOR& colour)
    {
        for (float channel : {colour.r, colour.g, colour.b, colour.a})
            add(channel);
    }
    template <class... Values>
    void add_all(Values... values)
    {
        (add(values), ...);
    }
    std::uint64_t get() const { return hash; }

private:
    // Lowest byte first, whatever the machine's order.
    void add_bits(std::uint32_t bits)
    {
        for (int byte = 0; byte < 4; byte++)
            add_byte(bits >> (8 * byte));
    }
    void add_byte(std::uint32_t byte)
    {
        hash ^= byte & 0xffu;
        hash *= 0x100000001b3ull;
    }

    std::uint64_t hash = 0xcbf29ce484222325ull;
};

// The scroll is left out: it is where this screen looks, which peers of a
// network match differ on, and every step sets it before a human aims.
void add_map(fnv1a& hash)
{
    hash.add_all(map.get_width(), map.get_height());
    for (int column = 0; column < map.used_columns(); column++)
        for (int row = 0; row < map.used_rows(); row++)
            hash.add(map.get_map(column * cmap::cell_size, row * cmap::cell_size));
}

void add_gun(fnv1a& hash, cbweapon* gun)
{
    hash.add(gun != nullptr);
    if (!gun)
        return;
    const gun_state& g = gun->get_state();
    hash.add_all(g.ammo, g.angle, g.delay, g.x, g.y, g.owner, g.type, g.dir, g.reloading, g.trigger, g.frame);
}

void add_fighters(fnv1a& hash)
{
    for (const cplayer& player : players) {
        const fighter_state& f = player.get_state();
        hash.add(f.active);
        if (!f.active)
            continue;
        hash.add_all(f.angle, f.frame, f.reaction, f.crowd_time, f.pause, f.grenade_wait, f.health, f.power);
        hash.add_all(f.x, f.y, f.vx, f.vy, f.heading, f.last_cell, f.head, f.id, f.kills, f.grenades);
        hash.add_all(f.bot, f.dir, f.colors[0], f.colors[1]);
        add_gun(hash, player.get_weapon());
    }
}

// Each live slot by its index and what its getters tell.
template <class T, int N, class Fields>
void add_pool(fnv1a& hash, const T (&pool)[N], Fields fields)
{
    for (int slot = 0; slot < N; slot++) {
        if (!in_use(pool[slot]))
            continue;
        hash.add(slot);
        fields(pool[slot]);
    }
    hash.add(-1);  // the pool's end
}

void add_pools(fnv1a& hash)
{
    add_pool(hash, bullets, [&](const cbullet& b) {
        hash.add_all(b.get_x(), b.get_y(), b.get_angle(), b.get_tail(), b.get_flying());
    });
    add_pool(hash, grenades, [&](const cgrenade& g) {
        hash.add_all(g.get_x(), g.get_y(), g.get_vx(), g.get_vy(), g.get_rot(), g.get_fuse());
    });
    add_pool(hash, flesh, [&](const cflesh& f) {
        hash.add_all(f.get_x(), f.get_y(), f.get_vx(), f.get_vy(), f.get_rotation());
    });
    add_pool(hash, fire, [&](const cfire& f) {
        hash.add_all(f.get_x(), f.get_y(), f.get_angle(), f.get_life());
    });
    add_pool(hash, flames, [&](const cflame& f) {
        hash.add_all(f.get_x(), f.get_y(), f.get_vx(), f.get_vy(), f.get_life(), f.get_smoke());
    });
    add_pool(hash, shells, [&](const cshell& s) {
        hash.add_all(s.get_x(), s.get_y(), s.get_vx(), s.get_vy(), s.get_angle(), s.get_life());
    });
    add_pool(hash, smoke, [&](const csmoke& s) {
        hash.add_all(s.get_x(), s.get_y(), s.get_vx(), s.get_vy(), s.get_life());
    });
    add_pool(hash, particles, [&](const cparticle& p) {
        hash.add_all(p.get_x(), p.get_y(), p.get_vx(), p.get_vy(), p.get_life());
    });
}

void add_blood(fnv1a& hash)
{
    const blood_drops& d = blood.get_drops();
    for (int drop = 0; drop < blood_drops::max_drops; drop++) {
        if (d.life[drop] <= 0)
            continue;
        hash.add(drop);
        hash.add_all(d.shade[drop], d.life[drop], d.x[drop], d.y[drop], d.vx[drop], d.vy[drop], d.lying[drop]);
    }
    hash.add_all(d.quad_count, d.lowest_free);
}

// The generator's words as numbers, so the machine's byte order does not count.
void add_random(fnv1a& hash)
{
    const random_state state = save_random_state();
    for (std::size_t word = 0; word < random_state::size; word += sizeof(std::uint32_t)) {
        std::uint32_t value;
        std::memcpy(&value, state.bytes + word, sizeof value);
        hash.add(value);
    }
}

}  // namespace

std::uint64_t match_hash()
{
    fnv1a hash;
    add_map(hash);
    const cgame::match_counters counters = game.get_counters();
    hash.add_all(counters.timer, counters.toggle_delay, counters.slow_motion);
    for (int slot = 0; slot < max_players; slot++)
        hash.add(hud.get_weapon(slot));
    add_fighters(hash);
    add_pools(hash);
    add_blood(hash);
    add_random(hash);
    return hash.get();
}

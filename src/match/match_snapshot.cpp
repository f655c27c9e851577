#include "match/match_snapshot.h"

#include <algorithm>
#include <type_traits>

#include "map/cmap.h"
#include "match/chud.h"

static_assert(std::is_trivially_copyable_v<cbullet> && std::is_trivially_copyable_v<cgrenade> &&
                  std::is_trivially_copyable_v<cflesh> && std::is_trivially_copyable_v<cfire> &&
                  std::is_trivially_copyable_v<cflame> && std::is_trivially_copyable_v<cshell> &&
                  std::is_trivially_copyable_v<csmoke> && std::is_trivially_copyable_v<cparticle>,
              "a pool copied whole holds plain values only");
static_assert(std::is_trivially_copyable_v<fighter_state> && std::is_trivially_copyable_v<gun_state> &&
                  std::is_trivially_copyable_v<blood_drops>,
              "a state copied in one assignment holds plain values only");

namespace {

template <class T, int N>
void copy_pool(const T (&from)[N], T (&to)[N])
{
    std::copy(from, from + N, to);
}

}  // namespace

void match_snapshot::save()
{
    map.save_cells(map_cells);
    scroll_x = map.get_xs();
    scroll_y = map.get_ys();
    counters = game.get_counters();
    for (int slot = 0; slot < max_players; slot++)
        hud_weapons[slot] = hud.get_weapon(slot);
    for (int id = 0; id < max_players; id++) {
        const cplayer& player = players[id];
        cbweapon* gun = player.get_weapon();
        fighters[id].state = player.get_state();
        fighters[id].gun_type = gun ? gun->get_type() : -1;
        fighters[id].gun = gun ? gun->get_state() : gun_state();
    }
    copy_pool(bullets, pools.bullets);
    copy_pool(grenades, pools.grenades);
    copy_pool(flesh, pools.flesh);
    copy_pool(fire, pools.fire);
    copy_pool(flames, pools.flames);
    copy_pool(shells, pools.shells);
    copy_pool(smoke, pools.smoke);
    copy_pool(particles, pools.particles);
    if (!drops)
        drops = std::make_unique<blood_drops>();
    *drops = blood.get_drops();
    random = save_random_state();
}

void match_snapshot::restore() const
{
    if (!drops)
        return;
    map.restore_cells(map_cells);
    map.set_screen(scroll_x, scroll_y);
    game.set_counters(counters);
    for (int slot = 0; slot < max_players; slot++)
        hud.set_weapon(hud_weapons[slot], slot);
    for (int id = 0; id < max_players; id++) {
        players[id].set_state(fighters[id].state);
        players[id].restore_weapon(fighters[id].gun_type, fighters[id].gun);
    }
    copy_pool(pools.bullets, bullets);
    copy_pool(pools.grenades, grenades);
    copy_pool(pools.flesh, flesh);
    copy_pool(pools.fire, fire);
    copy_pool(pools.flames, flames);
    copy_pool(pools.shells, shells);
    copy_pool(pools.smoke, smoke);
    copy_pool(pools.particles, particles);
    blood.set_drops(*drops);
    restore_random_state(random);
}

std::size_t match_snapshot::bytes() const
{
    return sizeof *this + map_cells.capacity() * sizeof(int) + (drops ? sizeof(blood_drops) : 0);
}

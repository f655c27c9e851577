// A long seeded match of ten bots must end exactly as it did when it was
// recorded: every fighter, every slot of every pool, every blood drop and the
// next random numbers. Work that only makes the step faster must leave all of
// it untouched; a change here means the game now plays differently.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <allegro5/allegro_primitives.h>
#include <gtest/gtest.h>

#include "app/assets.h"
#include "effect_test.h"

#include "effects/cblood.h"
#include "effects/cfire.h"
#include "effects/cflame.h"
#include "effects/cflesh.h"
#include "effects/cparticle.h"
#include "effects/cshell.h"
#include "effects/csmoke.h"
#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/match_tally.h"
#include "weapons/cbullet.h"
#include "weapons/cgrenade.h"

namespace {

// FNV-1a over the exact bits of every value added.
class fingerprint {
public:
    void add(float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        add_bits(bits);
    }
    void add(int value) { add_bits(static_cast<std::uint32_t>(value)); }
    void add(bool value) { add_bits(value ? 1u : 0u); }
    std::uint64_t get() const { return hash; }

private:
    void add_bits(std::uint32_t bits)
    {
        for (int byte = 0; byte < 4; byte++) {
            hash ^= (bits >> (8 * byte)) & 0xffu;
            hash *= 0x100000001b3ull;
        }
    }
    std::uint64_t hash = 0xcbf29ce484222325ull;
};

std::uint64_t fighters_print(const match_tally& tally)
{
    fingerprint print;
    for (int id = 0; id < max_players; id++) {
        const cplayer& fighter = players[id];
        print.add(fighter.get_active());
        print.add(fighter.get_health());
        print.add(fighter.get_x());
        print.add(fighter.get_y());
        print.add(fighter.get_vx());
        print.add(fighter.get_vy());
        print.add(fighter.get_angle());
        print.add(fighter.get_kills());
        print.add(fighter.get_grenades());
        print.add(tally.get(id).kills);
        print.add(tally.get(id).deaths);
        print.add(fighter.get_weapon() ? fighter.get_weapon()->get_type() : -1);
    }
    print.add(game.get_timer());
    return print.get();
}

template <class T, int N, class Fields>
std::uint64_t pool_print(T (&pool)[N], Fields fields)
{
    fingerprint print;
    for (const T& object : pool)
        fields(print, object);
    return print.get();
}

std::uint64_t blood_print()
{
    fingerprint print;
    for (int drop = 0; drop < cblood::max_drops; drop++) {
        if (blood.get_life(drop) <= 0)
            continue;
        print.add(drop);
        print.add(blood.get_life(drop));
        print.add(blood.get_x(drop));
        print.add(blood.get_y(drop));
        print.add(blood.get_vx(drop));
        print.add(blood.get_vy(drop));
    }
    print.add(blood.get_quad_count());
    return print.get();
}

// What the blood draws: its vertices, and the pixels of a frame of it on a
// plain picture, which the test lends it so that new art changes nothing here.
std::uint64_t blood_frame_print()
{
    fingerprint print;
    const ALLEGRO_VERTEX* vertices = blood.get_vertices();
    for (int v = 0; v < blood.get_quad_count() * cblood::quad_vertices; v++) {
        const ALLEGRO_VERTEX& vertex = vertices[v];
        for (float value : {vertex.x, vertex.y, vertex.z, vertex.u, vertex.v, vertex.color.r, vertex.color.g,
                            vertex.color.b, vertex.color.a})
            print.add(value);
    }
    stand_in_picture drop_picture(bblood, 4, 4, al_map_rgb(255, 255, 255));
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    al_set_target_bitmap(screen);
    al_clear_to_color(al_map_rgb(0, 0, 64));
    blood.draw();
    ALLEGRO_LOCKED_REGION* pixels = al_lock_bitmap(screen, ALLEGRO_PIXEL_FORMAT_ABGR_8888, ALLEGRO_LOCK_READONLY);
    for (int row = 0; row < 1080; row++) {
        const auto* line = static_cast<const unsigned char*>(pixels->data) + row * pixels->pitch;
        for (int column = 0; column < 1920; column++) {
            std::uint32_t pixel;
            std::memcpy(&pixel, line + 4 * column, sizeof pixel);
            print.add(static_cast<int>(pixel));
        }
    }
    al_unlock_bitmap(screen);
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
    return print.get();
}

// The random numbers still to come tell whether every draw so far came in the same order.
std::uint64_t random_print()
{
    fingerprint print;
    for (int draw = 0; draw < 3; draw++)
        print.add(std::rand());
    return print.get();
}

TEST(StepSameness, TenBotsOnTowerFor30000StepsEndAsRecorded)
{
    std::ifstream file("zkm/tower.zkm");
    ASSERT_TRUE(map.read(file, "zkm/tower.zkm")) << map.get_error();
    std::srand(2024);
    const int bots = options.get_bots();
    options.set_bots(10);
    options.set_skill(1);
    game = cgame();
    game.start();
    match_tally tally;
    tally.start();
    match_events events;
    int most_drops = 0;
    for (int step = 0; step < 30000; step++) {
        game.update(&events);
        tally.watch(events);
        most_drops = std::max(most_drops, blood.get_quad_count());
    }

    // A free slot keeps whatever its last object left there, so only live ones count.
    const auto moving = [](fingerprint& print, float life, float x, float y, float vx, float vy) {
        print.add(life > 0);
        if (life <= 0)
            return;
        print.add(life);
        print.add(x);
        print.add(y);
        print.add(vx);
        print.add(vy);
    };
    const struct {
        const char* part;
        std::uint64_t recorded, now;
    } parts[] = {
        {"fighters", 0xf9560151b71be913ull, fighters_print(tally)},
        {"bullets", 0x8421ae126c7ced25ull, pool_print(bullets, [](fingerprint& print, const cbullet& bullet) {
             print.add(bullet.get_active());
             if (bullet.get_active()) {
                 print.add(bullet.get_x());
                 print.add(bullet.get_y());
                 print.add(bullet.get_angle());
                 print.add(bullet.get_tail());
                 print.add(bullet.get_flying());
             }
         })},
        {"fire", 0x6b54ea71af95ef15ull, pool_print(fire, [](fingerprint& print, const cfire& flash) { print.add(flash.active()); })},
        {"flames", 0xb8bbd78f1f4a5625ull, pool_print(flames, [&](fingerprint& print, const cflame& flame) {
             moving(print, flame.get_life(), flame.get_x(), flame.get_y(), flame.get_vx(), flame.get_vy());
             print.add(flame.active() && flame.get_smoke());
         })},
        {"flesh", 0x342e9be6b5302b20ull, pool_print(flesh, [](fingerprint& print, const cflesh& chunk) {
             print.add(chunk.get_active());
             if (chunk.get_active())
                 for (float value : {chunk.get_rotation(), chunk.get_x(), chunk.get_y(), chunk.get_vx(), chunk.get_vy()})
                     print.add(value);
         })},
        {"grenades", 0x7479744ad77ee805ull, pool_print(grenades, [&](fingerprint& print, const cgrenade& grenade) {
             moving(print, grenade.get_fuse(), grenade.get_x(), grenade.get_y(), grenade.get_vx(), grenade.get_vy());
             print.add(grenade.active() ? grenade.get_rot() : 0.0f);
         })},
        {"particles", 0x733bdb67d82f0353ull, pool_print(particles, [&](fingerprint& print, const cparticle& speck) {
             moving(print, speck.get_life(), speck.get_x(), speck.get_y(), speck.get_vx(), speck.get_vy());
         })},
        {"shells", 0xde838854805c72b8ull, pool_print(shells, [&](fingerprint& print, const cshell& casing) {
             moving(print, casing.get_life(), casing.get_x(), casing.get_y(), casing.get_vx(), casing.get_vy());
             print.add(casing.active() ? casing.get_angle() : 0.0f);
         })},
        {"smoke", 0x1a4dfb62624e40f3ull, pool_print(smoke, [&](fingerprint& print, const csmoke& puff) {
             moving(print, puff.get_life(), puff.get_x(), puff.get_y(), puff.get_vx(), puff.get_vy());
         })},
        {"blood", 0xf01c0c5284c0de12ull, blood_print()},
        {"blood drawn", 0xf79b26e5731d1896ull, blood_frame_print()},
        {"random", 0x31c1a0e78c9f64d6ull, random_print()},
    };
    for (const auto& p : parts)
        EXPECT_EQ(p.now, p.recorded) << p.part << ": 0x" << std::hex << p.now;
    // The recorded match is a real fight with plenty of blood.
    int kills = 0;
    for (int id = 0; id < max_players; id++)
        kills += tally.get(id).kills;
    EXPECT_EQ(kills, 161);
    EXPECT_EQ(most_drops, 5595);
    game.deinit();
    options.set_bots(bots);
}

}  // namespace

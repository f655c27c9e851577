// Whole matches of ten bots on every shipped map, through the very match code
// the game runs. The soak checks after every tick what must always hold; the
// bot-play test checks that every map makes a real fight.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

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
#include "match/pools.h"
#include "weapons/cbullet.h"
#include "weapons/cgrenade.h"

namespace {

// Listed before the tests run, from wherever they are started.
std::vector<std::string> shipped_maps()
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(ZK3_GAME_DIR "/zkm", error))
        if (entry.path().extension() == ".zkm")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Starts a match of ten bots at `skill` on shipped map `name`.
void start_match(const std::string& name, int skill, unsigned int seed)
{
    const std::string path = "zkm/" + name;
    std::ifstream file(path);
    ASSERT_TRUE(map.read(file, path.c_str())) << map.get_error();
    std::srand(seed);
    options.set_bots(10);
    options.set_skill(skill);
    game.start();
}

void end_match()
{
    game.deinit();
    options.set_skill(1);
}

class Match : public testing::TestWithParam<std::string> {};

template <class T, int N>
int live(T (&pool)[N])
{
    int count = 0;
    for (const T& object : pool)
        count += in_use(object);
    return count;
}

// What must hold after every tick; "" when it does, else what broke.
std::string broken_rule()
{
    for (int id = 0; id < max_players; id++) {
        const cplayer& fighter = players[id];
        if (!fighter.get_active())
            continue;
        const bool alive = fighter.get_health() > 0;
        const std::string who = "fighter " + std::to_string(id);
        if (alive != (fighter.get_weapon() != nullptr))
            return who + (alive ? " is alive without a gun" : " holds a gun while waiting");
        if (fighter.get_kills() < 0)
            return who + " has negative kills";
        if (!alive)
            continue;
        // The box covers x .. x + 38 and y .. y + 79.
        for (float dx : {0.0f, 38.0f})
            for (float dy : {0.0f, 40.0f, 79.0f})
                if (map.solid(static_cast<int>(fighter.get_x() + dx),
                              static_cast<int>(fighter.get_y() + dy)))
                    return who + " is inside a wall";
    }
    const int counts[] = {live(bullets), live(fire),  live(flames), live(flesh),
                          live(grenades), live(particles), live(shells), live(smoke)};
    const int capacities[] = {max_bullets, max_fire, max_flames, max_flesh,
                              max_grenades, max_particles, max_shells, max_smoke};
    for (size_t pool = 0; pool < std::size(counts); pool++)
        if (counts[pool] > capacities[pool])
            return "pool " + std::to_string(pool) + " over its capacity";
    return "";
}

TEST_P(Match, SoakHoldsItsRulesEveryTickFor100000Ticks)
{
    start_match(GetParam(), 1, 7);
    for (int tick = 1; tick <= 100000; tick++) {
        game.update();
        const std::string broken = broken_rule();
        if (!broken.empty()) {
            end_match();
            FAIL() << "tick " << tick << ": " << broken;
        }
    }
    end_match();
}

// Ten minutes of play at MEDIUM: kills happen, and no bot stays alive in one
// cell for more than 30 seconds.
TEST_P(Match, BotPlayFightsAndRoams)
{
    start_match(GetParam(), 1, 1);
    match_tally tally;
    tally.start();
    for (int tick = 0; tick < 60000; tick++) {
        game.update();
        tally.watch();
    }
    int kills = 0;
    for (int id = 1; id <= 10; id++) {
        kills += tally.get(id).kills;
        EXPECT_LE(tally.get(id).longest_in_cell, 3000) << "bot " << id;
    }
    EXPECT_GT(kills, 0);
    end_match();
}

INSTANTIATE_TEST_SUITE_P(ShippedMaps, Match, testing::ValuesIn(shipped_maps()),
                         [](const testing::TestParamInfo<std::string>& param_info) {
                             return param_info.param.substr(0, param_info.param.find('.'));
                         });

}  // namespace

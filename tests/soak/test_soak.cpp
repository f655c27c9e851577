// Whole matches of ten bots on every shipped map, through the very match code
// the game runs. The soak checks after every tick what must always hold; the
// bot-play test checks that every map makes a real fight, with its own
// waypoints and with waypoints placed afresh from its walls.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
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
#include "map/map_file.h"
#include "routes/waypoint_placer.h"
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

// Reads shipped map `name` into the match's map with its waypoints placed
// afresh by the placer, as the map maker's --waypoints writes it.
void read_placed(const std::string& name)
{
    const std::string path = "zkm/" + name;
    std::ifstream file(path);
    static map_header header;
    static cell_grid cells;
    std::string why;
    ASSERT_TRUE(read_map_file(file, path.c_str(), header, cells, why)) << why;
    const int columns = header.width / cmap::cell_size, rows = header.height / cmap::cell_size;
    std::vector<int> codes;
    for (int column = 0; column < columns; column++)
        for (int row = 0; row < rows; row++)
            codes.push_back(cells[column][row]);
    ASSERT_TRUE(place_waypoints(columns, rows, codes, why)) << why;
    std::string lines[2];
    for (int layer = 0; layer < 2; layer++)
        for (int i = 0; i < header.picture_counts[layer]; i++)
            lines[layer] += (i ? " " : "") + std::string(header.picture_names[layer][i]);
    const char* const picture_lines[2] = {lines[0].c_str(), lines[1].c_str()};
    std::stringstream text;
    write_map_file(text, header.width, header.height, header.sky, header.picture_counts, picture_lines,
                   [&](int column, int row) { return codes[static_cast<size_t>(column * rows + row)]; });
    ASSERT_TRUE(map.read(text, path.c_str())) << map.get_error();
}

// Starts a match of ten bots at `skill` on shipped map `name`, with its own
// waypoints or with placed ones.
void start_match(const std::string& name, int skill, unsigned int seed, bool placed = false)
{
    const std::string path = "zkm/" + name;
    std::ifstream file(path);
    if (placed)
        read_placed(name);
    else
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
// cell for more than 30 seconds; with the map's own waypoints and with placed
// ones, which must take the bots to at least as many cells.
TEST_P(Match, BotPlayFightsAndRoams)
{
    double mean_cells[2] = {};
    for (bool placed : {false, true}) {
        const char* const version = placed ? "placed waypoints" : "its own waypoints";
        start_match(GetParam(), 1, 1, placed);
        match_tally tally;
        tally.start();
        match_events events;
        for (int tick = 0; tick < 60000; tick++) {
            game.update(&events);
            tally.watch(events);
        }
        int kills = 0;
        for (int id = 1; id <= 10; id++) {
            kills += tally.get(id).kills;
            mean_cells[placed] += tally.get(id).cells / 10.0;
            EXPECT_LE(tally.get(id).longest_in_cell, 3000) << "bot " << id << ", " << version;
        }
        EXPECT_GT(kills, 0) << version;
        end_match();
    }
    EXPECT_GE(mean_cells[1], mean_cells[0]) << "distinct cells a bot enters, on average";
}

INSTANTIATE_TEST_SUITE_P(ShippedMaps, Match, testing::ValuesIn(shipped_maps()),
                         [](const testing::TestParamInfo<std::string>& param_info) {
                             return param_info.param.substr(0, param_info.param.find('.'));
                         });

}  // namespace

// Placed waypoints, judged by a real bot walking small maps drawn as text:
// '#' a wall, 'S' a spawn point where the bot enters, 'x' a cell its upper
// body must reach, 'o' one it must never enter, '.' free; 'a'..'p' are
// markers 1..16 and 'W' a wall with back picture 3 and marker 12.
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "map/cmap.h"
#include "routes/waypoint_placer.h"
#include "test_fighter.h"

namespace {

int code_of(char cell)
{
    if (cell == '#')
        return 10000;
    if (cell == 'W')
        return 10312;
    if (cell == 'S')
        return 1;
    if (cell >= 'a' && cell <= 'p')
        return cell - 'a' + 1;
    return 0;
}

struct grid {
    int columns = 0, rows = 0;
    std::vector<int> codes;  // column after column

    explicit grid(const std::vector<std::string>& text)
        : columns(static_cast<int>(text[0].size())), rows(static_cast<int>(text.size()))
    {
        for (int column = 0; column < columns; column++)
            for (int row = 0; row < rows; row++)
                codes.push_back(code_of(text[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]));
    }
    int marker(int column, int row) const { return code(column, row) % 100; }
    int code(int column, int row) const { return codes[static_cast<std::size_t>(column * rows + row)]; }
    int spawns() const
    {
        int count = 0;
        for (int code : codes)
            count += code % 100 >= 1 && code % 100 <= 8;
        return count;
    }
};

grid placed(const std::vector<std::string>& text)
{
    grid map_grid(text);
    std::string why;
    EXPECT_TRUE(place_waypoints(map_grid.columns, map_grid.rows, map_grid.codes, why)) << why;
    return map_grid;
}

// The cells of the text holding `wanted`.
std::vector<std::pair<int, int>> cells_with(const std::vector<std::string>& text, char wanted)
{
    std::vector<std::pair<int, int>> found;
    for (int row = 0; row < static_cast<int>(text.size()); row++)
        for (int column = 0; column < static_cast<int>(text[0].size()); column++)
            if (text[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] == wanted)
                found.push_back({column, row});
    return found;
}

class WaypointBotTest : public FighterTest {
protected:
    struct walk {
        std::set<std::pair<int, int>> cells;  // entered by the upper body
        int longest_stay = 0;
        bool died = false;
    };

    // Places the markers, reads the map into the match and lets one bot
    // walk it from 'S' for `ticks` ticks, alone.
    walk walk_placed(const std::vector<std::string>& text, int ticks)
    {
        const grid map_grid = placed(text);
        std::ostringstream file;
        file << map_grid.columns * 40 << " " << map_grid.rows * 40 << "\n0.5 0.5 1\n0 0 0.25\n0\n1\nno_wall.png\n";
        for (int row = 0; row < map_grid.rows; row++) {
            for (int column = 0; column < map_grid.columns; column++)
                file << map_grid.code(column, row) << " ";
            file << "\n";
        }
        std::istringstream in(file.str());
        walk result;
        if (!map.read(in, "placed.zkm")) {
            ADD_FAILURE() << map.get_error();
            return result;
        }
        const std::pair<int, int> start = cells_with(text, 'S').at(0);
        cplayer& bot = enter(1);
        bot.place(start.first * 40.0f, start.second * 40.0f);
        bot.steer(0);
        std::pair<int, int> cell{-1, -1};
        int stay = 0;
        for (int tick_count = 0; tick_count < ticks && !result.died; tick_count++) {
            tick(bot);
            result.died = bot.get_health() <= 0;
            const std::pair<int, int> now{static_cast<int>(bot.get_x() + 20) / 40,
                                          static_cast<int>(bot.get_y() + 20) / 40};
            stay = now == cell ? stay + 1 : 1;
            cell = now;
            result.cells.insert(now);
            result.longest_stay = std::max(result.longest_stay, stay);
        }
        return result;
    }
};

TEST_F(WaypointBotTest, ABotReachesEveryFloorAndNeverAPit)
{
    const struct {
        const char* what;
        std::vector<std::string> rows;
    } cases[] = {
        {"a flat floor is walked both ways, turning at the walls",
         {"##########",
          "#...S....#",
          "#........#",
          "#x......x#",
          "#........#",
          "##########"}},
        {"a step of five cells is climbed, and its edge dropped from",
         {"##############",
          "#............#",
          "#............#",
          "#.......x...x#",
          "#............#",
          "#.......######",
          "#.......######",
          "#.......######",
          "#x.S....######",
          "#.......######",
          "##############"}},
        {"at a step of six cells the bot turns instead of hopping",
         {"##############",
          "#............#",
          "#.......o...o#",
          "#............#",
          "#.......######",
          "#.......######",
          "#.......######",
          "#.......######",
          "#x.S...x######",
          "#.......######",
          "##############"}},
        {"a gap of three cells over a pit is jumped both ways",
         {"####################",
          "#..................#",
          "#..................#",
          "#..................#",
          "#..................#",
          "#..................#",
          "#..................#",
          "#..................#",
          "#x.S.............x.#",
          "#..................#",
          "########...#########",
          "########...#########",
          "########...#########",
          "########...#########",
          "########...#########",
          "########...#########",
          "########...#########",
          "########...#########",
          "########ooo#########",
          "########...#########",
          "####################"}},
        {"a gap of seven cells over a pit turns the bot back",
         {"####################",
          "#..................#",
          "#..................#",
          "#..................#",
          "#x.S..x.....o....o.#",
          "#..................#",
          "#######.......######",
          "#######.......######",
          "#######.......######",
          "#######.......######",
          "#######.......######",
          "#######.......######",
          "#######.......######",
          "#######ooooooo######",
          "#######.......######",
          "####################"}},
        {"a floor in the air is reached by jumping up beside it",
         {"##############",
          "#............#",
          "#............#",
          "#.......x....#",
          "#............#",
          "#.....#####..#",
          "#............#",
          "#............#",
          "#x..S.......x#",
          "#............#",
          "##############"}},
        {"a drop leads down to a floor that leads back up",
         {"##############",
          "#............#",
          "#....x...S..x#",
          "#............#",
          "#....#########",
          "#....#########",
          "#x...#########",
          "#....#########",
          "##############"}},
    };
    for (const auto& c : cases) {
        const walk seen = walk_placed(c.rows, 8000);
        EXPECT_FALSE(seen.died) << c.what;
        for (const auto& cell : cells_with(c.rows, 'x'))
            EXPECT_TRUE(seen.cells.count(cell)) << c.what << ": never reached " << cell.first << ", " << cell.second;
        for (const auto& cell : cells_with(c.rows, 'o'))
            EXPECT_FALSE(seen.cells.count(cell)) << c.what << ": entered " << cell.first << ", " << cell.second;
        EXPECT_LT(seen.longest_stay, 300) << c.what;
    }
}

TEST(WaypointPlacer, KeepsWallsBacksAndSpawnPointsAndMakesUpTo8Spawns)
{
    const std::string open_row = "#..................................................#";
    const std::string floor_row(open_row.size(), '#');
    const struct {
        const char* what;
        std::string spawn_row;
        int spawns_after;
    } cases[] = {
        {"one spawn point gets seven more", "#....S.............................................#", 8},
        {"nine are kept, none added", "#.S.b.c.d.e.f.g.h.S................................#", 9},
        {"40 are cut to the first 32", "#SSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSS..........#", 32},
        {"stale waypoints go, also from walls", "#..j.k.l.m..........................p............WW", 8},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> text = {floor_row, open_row, c.spawn_row, open_row, open_row, floor_row};
        const grid before(text);
        const grid after = placed(text);
        EXPECT_EQ(after.spawns(), c.spawns_after) << c.what;
        for (int column = 0; column < before.columns; column++)
            for (int row = 0; row < before.rows; row++) {
                EXPECT_EQ(after.code(column, row) / 100, before.code(column, row) / 100) << c.what;
                const int kind = before.marker(column, row);
                const bool kept = before.spawns() <= 32 || column <= 32;
                if (kind >= 1 && kind <= 8 && kept) {
                    EXPECT_TRUE(after.marker(column, row) >= 1 && after.marker(column, row) <= 8) << c.what;
                }
                if (before.code(column, row) > 9999) {
                    EXPECT_EQ(after.marker(column, row), 0) << c.what;
                }
            }
    }
}

TEST(WaypointPlacer, TheSameMapGivesTheSameMarkersAndPlacingTwiceChangesNothing)
{
    const std::vector<std::string> text = {
        "########################",
        "#......................#",
        "#...S..................#",
        "#......................#",
        "#######....#####.......#",
        "#......................#",
        "#......................#",
        "#..........##########..#",
        "#.............m........#",
        "########################"};
    const grid first = placed(text);
    EXPECT_EQ(placed(text).codes, first.codes);
    grid again = first;
    std::string why;
    ASSERT_TRUE(place_waypoints(again.columns, again.rows, again.codes, why)) << why;
    EXPECT_EQ(again.codes, first.codes);
}

TEST(WaypointPlacer, RefusesAMapWithoutFloorOrAWrongGridAndChangesNothing)
{
    const std::vector<std::vector<std::string>> no_floor = {
        {"....", ".S..", "...."},
        {"####", "####", "####"},
        {"#S.#", "#..#", "#..#"},  // a floor row must lie inside the map
    };
    for (const auto& text : no_floor) {
        grid map_grid(text);
        const std::vector<int> before = map_grid.codes;
        std::string why;
        EXPECT_FALSE(place_waypoints(map_grid.columns, map_grid.rows, map_grid.codes, why));
        EXPECT_NE(why, "");
        EXPECT_EQ(map_grid.codes, before);
    }
    std::vector<int> short_codes(5, 0);
    std::string why;
    EXPECT_FALSE(place_waypoints(2, 3, short_codes, why));
    EXPECT_NE(why, "");
}

}  // namespace

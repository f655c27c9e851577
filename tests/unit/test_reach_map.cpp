// Where fighters can go, on small maps drawn as text: '#' a wall, 'S' a
// spawn point, '.' free. Rows end at the bottom of the map, so a pit that
// reaches the last row is a way out of the map.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "routes/reach_map.h"

namespace {

struct text_map {
    std::vector<std::string> rows;

    int code(int column, int row) const
    {
        char c = rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
        return c == '#' ? 10000 : c == 'S' ? 1 : 0;
    }
    reach_map reach() const
    {
        return reach_map(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                         [this](int column, int row) { return code(column, row); });
    }
};

// The floor of a ledge `height` cells up, `gap` cells away from the spawn's
// floor; 'x' marks the cell to find on top of the ledge.
TEST(ReachMap, LedgesGapsAndDrops)
{
    const struct {
        const char* what;
        std::vector<std::string> rows;
        bool reached;
    } cases[] = {
        {"a step of five cells is jumped",
         {"#............#",
          "#.......x....#",
          "#.......######",
          "#.......######",
          "#.......######",
          "#S......######",
          "#.......######",
          "##############"},
         true},
        {"a step of six cells is too high",
         {"#............#",
          "#.......x....#",
          "#.......######",
          "#.......######",
          "#.......######",
          "#.......######",
          "#S......######",
          "#.......######",
          "##############"},
         false},
        {"a gap of four cells is jumped",
         {"#..............#",
          "#..............#",
          "#S.............#",
          "#........x.....#",
          "#####....#######",
          "#####....#######",
          "#####....#######"},
         true},
        {"a gap of seven cells is too wide",
         {"#.................#",
          "#.................#",
          "#S................#",
          "#...........x.....#",
          "#####.......#######",
          "#####.......#######",
          "#####.......#######"},
         false},
        {"a drop leads down to a lower floor",
         {"#S.......#",
          "#........#",
          "#####....#",
          "#........#",
          "#........#",
          "#........#",
          "#........#",
          "#.x......#",
          "##########"},
         true},
        {"a pit too wide to jump and too deep to climb out of hides the far side",
         {"#...............#",
          "#S..............#",
          "#...........x...#",
          "####........#####",
          "####........#####",
          "####........#####",
          "####........#####",
          "####........#####",
          "####........#####",
          "####........#####",
          "#################"},
         false},
    };
    for (const auto& c : cases) {
        text_map map{c.rows};
        int target_column = -1, target_row = -1;
        for (int row = 0; row < static_cast<int>(c.rows.size()); row++) {
            const std::size_t at = c.rows[static_cast<std::size_t>(row)].find('x');
            if (at != std::string::npos) {
                target_column = static_cast<int>(at);
                target_row = row;
            }
        }
        ASSERT_GE(target_row, 0) << c.what;
        EXPECT_EQ(map.reach().reached(target_column, target_row), c.reached) << c.what;
    }
}

TEST(ReachMap, AFlatRoomIsReachedUpToAJumpAndNoWallIs)
{
    text_map room{{"#........#",
                   "#........#",
                   "#........#",
                   "#........#",
                   "#........#",
                   "#........#",
                   "#........#",
                   "#........#",
                   "#S.......#",
                   "#........#",
                   "##########"}};
    reach_map reach = room.reach();
    for (int column = 1; column <= 8; column++) {
        EXPECT_TRUE(reach.reached(column, 9)) << "just above the floor, column " << column;
        EXPECT_TRUE(reach.reached(column, 2)) << "a jump's height, column " << column;
        EXPECT_FALSE(reach.reached(column, 1)) << "above any jump, column " << column;
        EXPECT_FALSE(reach.reached(column, 10)) << "the floor itself";
    }
    EXPECT_FALSE(reach.reached(0, 9));
    EXPECT_FALSE(reach.reached(-1, 9));
    EXPECT_FALSE(reach.reached(10, 9));

    text_map no_spawn{{"#..#", "####"}};
    EXPECT_EQ(no_spawn.reach().standing_places(), 0);
    EXPECT_FALSE(no_spawn.reach().reached(1, 0));
}

TEST(ReachMap, WaypointHeadingsFollowTheBotsTable)
{
    const int jump = reach_map::jump_heading, right = reach_map::right_heading, left = reach_map::left_heading;
    const int expected[17] = {0, 0, jump, right, left, jump | right | left, right | left, jump | right | left,
                              jump | right | left, 0, jump, right, left, jump | right | left, right | left,
                              jump | right | left, jump | right | left};
    for (int kind = 0; kind <= 16; kind++)
        EXPECT_EQ(reach_map::headings(kind), expected[kind]) << "kind " << kind;
}

}  // namespace

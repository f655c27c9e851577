// Reading map files: cells, spawn points, centring, the cell look-up, and
// what a refused or half-broken file leaves behind.
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "map/cmap.h"
#include "test_map_folder.h"

namespace {

bool read_text(const std::string& text, const char* name = "test.zkm")
{
    std::istringstream in(text);
    return map.read(in, name);
}

// The 3 x 2 example: spawn markers in the first column only.
map_text three_by_two()
{
    map_text text;
    text.back = {"a.png"};
    text.wall = {"b.png"};
    text.codes = {1, 10000, 9, 105, 0, 16};
    return text;
}

class MapRead : public testing::Test {
protected:
    void TearDown() override { map.deinit(); }
};

TEST_F(MapRead, ThreeByTwoExample)
{
    ASSERT_TRUE(read_text(three_by_two().str())) << map.get_error();
    EXPECT_STREQ(map.get_error(), "");
    EXPECT_EQ(map.get_width(), 120);
    EXPECT_EQ(map.get_height(), 80);
    ASSERT_EQ(map.get_nsp(), 2) << "markers 9 and 16 are waypoints, not spawn points";
    EXPECT_EQ(map.get_spx(0), 0);
    EXPECT_EQ(map.get_spy(0), 0);
    EXPECT_EQ(map.get_spx(1), 0);
    EXPECT_EQ(map.get_spy(1), 40);
    EXPECT_TRUE(map.solid(40, 0));
    EXPECT_TRUE(map.solid(79, 39));
    EXPECT_FALSE(map.solid(80, 0));
    EXPECT_EQ(map.get_map(0, 40), 105);
    EXPECT_EQ(map.get_map(119, 0), 9);
    EXPECT_EQ(map.get_map(119, 79), 16);
    // Smaller than the screen: centred, so the scroll is negative.
    EXPECT_EQ(map.get_xs(), 60 - 960);
    EXPECT_EQ(map.get_ys(), 40 - 540);
}

TEST_F(MapRead, ViewStartsCentred)
{
    map_text screen;
    screen.columns = 48;
    screen.rows = 27;
    screen.codes = {1};
    ASSERT_TRUE(read_text(screen.str())) << map.get_error();
    EXPECT_EQ(map.get_xs(), 0);
    EXPECT_EQ(map.get_ys(), 0);

    map_text big = screen;
    big.columns = 100;
    big.rows = 50;
    ASSERT_TRUE(read_text(big.str())) << map.get_error();
    EXPECT_EQ(map.get_xs(), 1040);
    EXPECT_EQ(map.get_ys(), 460);
    map.set_screen(-7, 123456);
    EXPECT_EQ(map.get_xs(), -7) << "set_screen stores without clamping";
    EXPECT_EQ(map.get_ys(), 123456);
}

// Solid means a code above 9999, whatever its fields; outside the map is free.
TEST_F(MapRead, SolidityAndTheSpaceOutside)
{
    map_text text;
    text.back = std::vector<std::string>(99, "b.png");
    text.wall = {"w.png"};
    text.codes = {1, 9999, 10000, -10203, -5, 10042};
    ASSERT_TRUE(read_text(text.str())) << map.get_error();
    EXPECT_FALSE(map.solid(40, 0));
    EXPECT_TRUE(map.solid(80, 0));
    EXPECT_FALSE(map.solid(0, 40)) << "negative codes are free";
    EXPECT_EQ(map.get_map(0, 40), -10203);
    EXPECT_EQ(map.get_nsp(), 1) << "a negative marker is no spawn point";

    EXPECT_EQ(map.get_map(-1, 0), 0);
    EXPECT_EQ(map.get_map(120, 0), 0);
    EXPECT_EQ(map.get_map(0, 80), 0);
    EXPECT_EQ(map.get_map(0, -1), 0);
    EXPECT_EQ(map.get_map(119, 79), 10042) << "the bottom-right cell";
    EXPECT_TRUE(map.solid(119, 79));
    EXPECT_FALSE(map.solid(120, 79));
    EXPECT_FALSE(map.solid(-1, 0));
}

TEST_F(MapRead, LargestLegalMap)
{
    map_text text;
    text.columns = 480;
    text.rows = 270;
    text.back = std::vector<std::string>(99, "b.png");
    text.wall = std::vector<std::string>(99, "w.png");
    text.codes.assign(480 * 270, 999900);
    for (int i = 0; i < 32; i++)
        text.codes[static_cast<size_t>(i) * 4000] = 8;
    text.codes.back() = 990116;
    ASSERT_TRUE(read_text(text.str())) << map.get_error();
    EXPECT_EQ(map.get_nsp(), 32);
    EXPECT_EQ(map.get_map(19199, 10799), 990116);
    EXPECT_EQ(map.get_xs(), 9600 - 960);
    EXPECT_EQ(map.get_ys(), 5400 - 540);
}

TEST_F(MapRead, RefusalLeavesAnEmptyMap)
{
    ASSERT_TRUE(read_text(three_by_two().str()));
    map.set_screen(10, 10);
    EXPECT_FALSE(read_text("120 80 0 0 0 0 0 0 0 0 1 1 1", "broken.zkm"));
    EXPECT_STREQ(map.get_error(), "broken.zkm: the file ends before the cell at column 0, row 1");
    EXPECT_EQ(map.get_width(), 0);
    EXPECT_EQ(map.get_height(), 0);
    EXPECT_EQ(map.get_nsp(), 0);
    EXPECT_EQ(map.get_spx(0), 0);
    EXPECT_EQ(map.get_map(0, 0), 0) << "the cells read before the fault are not reachable";
    EXPECT_FALSE(map.solid(40, 0));

    // The next good file clears the error.
    ASSERT_TRUE(read_text(three_by_two().str()));
    EXPECT_STREQ(map.get_error(), "");
}

TEST_F(MapRead, MissingPicturesAreNamedButTheMapLoads)
{
    temp_game_folder folder;
    folder.write_tile("there.png", al_map_rgb(255, 0, 0));
    map_text text = three_by_two();
    text.back = {"there.png"};
    text.wall = {"gone.png"};
    folder.write("zkm/a.zkm", text.str());
    ASSERT_TRUE(map.read_file("zkm/a.zkm")) << map.get_error();
    EXPECT_STREQ(map.get_warning(), "zkm/a.zkm: cannot load png/gone.png");

    text.back = {"gone1.png", "there.png", "gone2.png"};
    text.wall = {"gone3.png"};
    folder.write("zkm/a.zkm", text.str());
    ASSERT_TRUE(map.read_file("zkm/a.zkm"));
    EXPECT_STREQ(map.get_warning(), "zkm/a.zkm: cannot load png/gone1.png and 2 more pictures");

    text.wall = {"there.png"};
    text.back = {"there.png"};
    folder.write("zkm/a.zkm", text.str());
    ASSERT_TRUE(map.read_file("zkm/a.zkm"));
    EXPECT_STREQ(map.get_warning(), "");
}

TEST_F(MapRead, FileThatCannotBeOpened)
{
    temp_game_folder folder;
    EXPECT_FALSE(map.read_file("zkm/none.zkm"));
    EXPECT_STREQ(map.get_error(), "zkm/none.zkm: cannot open the file");
}

}  // namespace

// Drawing the map into a memory bitmap: which cells show where at each
// scroll offset, the two layers, the sky, and views beyond the grid.
#include <climits>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "map/cmap.h"
#include "test_map_folder.h"

namespace {

const ALLEGRO_COLOR green = al_map_rgb(0, 255, 0);
const ALLEGRO_COLOR blue = al_map_rgb(0, 0, 255);
const ALLEGRO_COLOR red = al_map_rgb(255, 0, 0);
const ALLEGRO_COLOR yellow = al_map_rgb(255, 255, 0);
const ALLEGRO_COLOR grey = al_map_rgb(128, 128, 128);
const ALLEGRO_COLOR untouched = al_map_rgb(255, 0, 255);

class MapView : public testing::Test {
protected:
    void SetUp() override
    {
        folder = std::make_unique<temp_game_folder>();
        folder->write_tile("green.png", green);
        folder->write_tile("blue.png", blue);
        folder->write_tile("yellow.png", yellow);
        folder->write_tile("grey.png", grey);
        folder->write_tile("red_left.png", red, 0, 20);
        // Larger than the screen, so that a cell drawn past its edge shows.
        screen = al_create_bitmap(2000, 1200);
        ASSERT_NE(screen, nullptr);
        al_set_target_bitmap(screen);
    }

    void TearDown() override
    {
        map.deinit();
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(screen);
        folder.reset();
    }

    void read(const map_text& text)
    {
        folder->write("zkm/test.zkm", text.str());
        ASSERT_TRUE(map.read_file("zkm/test.zkm")) << map.get_error();
        ASSERT_STREQ(map.get_warning(), "");
    }

    void draw()
    {
        al_clear_to_color(untouched);
        map.draw();
    }

    bool is(int x, int y, ALLEGRO_COLOR expected, int tolerance = 0) const
    {
        unsigned char r, g, b, er, eg, eb;
        al_unmap_rgb(al_get_pixel(screen, x, y), &r, &g, &b);
        al_unmap_rgb(expected, &er, &eg, &eb);
        return std::abs(r - er) <= tolerance && std::abs(g - eg) <= tolerance
               && std::abs(b - eb) <= tolerance;
    }

    std::unique_ptr<temp_game_folder> folder;
    ALLEGRO_BITMAP* screen = nullptr;
};

// 60 x 32 cells of green, with map column 1 blue.
map_text striped()
{
    map_text text;
    text.columns = 60;
    text.rows = 32;
    text.back = {"green.png", "blue.png"};
    text.codes.assign(60 * 32, 100);
    for (int row = 0; row < 32; row++)
        text.codes[static_cast<size_t>(row * 60 + 1)] = 200;
    text.codes[0] = 101;
    return text;
}

TEST_F(MapView, WholeCellsFillTheScreenExactly)
{
    read(striped());
    for (int xs : {0, 40}) {
        map.set_screen(xs, 0);
        draw();
        EXPECT_TRUE(is(5, 5, xs == 40 ? blue : green)) << "first column is map column xs / 40";
        EXPECT_TRUE(is(45, 5, xs == 40 ? green : blue));
        EXPECT_TRUE(is(1919, 1079, green));
        EXPECT_TRUE(is(1925, 5, untouched)) << "48 columns, no 49th";
        EXPECT_FALSE(is(5, 1085, green)) << "27 rows, no 28th";
    }
}

TEST_F(MapView, CutCellsAddAColumnAndARow)
{
    read(striped());
    map.set_screen(41, 1);
    draw();
    EXPECT_TRUE(is(0, 0, blue));
    EXPECT_TRUE(is(38, 5, blue)) << "shifted one unit left";
    EXPECT_TRUE(is(39, 5, green));
    EXPECT_TRUE(is(1925, 5, green)) << "the 49th column";
    EXPECT_TRUE(is(1965, 5, untouched)) << "but no 50th";
    EXPECT_TRUE(is(45, 1085, green)) << "the 28th row";
    EXPECT_FALSE(is(45, 1125, green)) << "but no 29th";
}

TEST_F(MapView, LayersAndMissingPictures)
{
    map_text text;
    text.back = {"green.png", "blue.png", "gone.png"};
    for (int n = 4; n < 99; n++)
        text.back.push_back("grey.png");
    text.back.push_back("yellow.png");
    text.wall = {"red_left.png"};
    text.codes = {1, 10203, 9999, 300, 0, 0};
    folder->write("zkm/test.zkm", text.str());
    ASSERT_TRUE(map.read_file("zkm/test.zkm")) << map.get_error();
    EXPECT_STREQ(map.get_warning(), "zkm/test.zkm: cannot load png/gone.png");
    draw();

    // Smaller than the screen: centred, cell (0, 0) at screen (900, 500).
    EXPECT_TRUE(is(945, 505, red)) << "wall over back";
    EXPECT_TRUE(is(975, 505, blue)) << "back picture 2 where the wall is clear";
    EXPECT_TRUE(is(985, 505, yellow)) << "9999 shows back picture 99";
    EXPECT_FALSE(is(905, 545, untouched)) << "a missing picture leaves the sky";
    EXPECT_FALSE(is(905, 545, green));
    EXPECT_TRUE(map.solid(40, 0));
    EXPECT_FALSE(map.solid(80, 0));
}

TEST_F(MapView, SmallMapSitsOnItsSkyInTheMiddle)
{
    map_text text;
    text.back = {"green.png"};
    text.codes = {101, 100, 100, 100, 100, 100};
    read(text);
    draw();
    EXPECT_TRUE(is(905, 505, green));
    EXPECT_TRUE(is(1015, 575, green));
    EXPECT_FALSE(is(1025, 505, green)) << "nothing right of the grid";
    EXPECT_FALSE(is(895, 505, green)) << "nothing left of it";
    // Above and below the map the screen is the sky's colour, never stale.
    EXPECT_TRUE(is(5, 5, al_map_rgb_f(0.5f, 0.5f, 1), 1));
    EXPECT_TRUE(is(1900, 1075, al_map_rgb_f(0, 0, 0.25f), 1));
    EXPECT_TRUE(is(1925, 5, untouched));
}

TEST_F(MapView, SkyScrollsWithTheMap)
{
    map_text text;
    text.columns = 48;
    text.rows = 50;
    text.sky = "1 0 0\n0 0 0\n";
    text.codes = {1};
    read(text);
    map.set_screen(0, 460);
    draw();
    // The gradient runs from screen y -460 to 1540.
    EXPECT_TRUE(is(100, 0, al_map_rgb_f(1 - 460 / 2000.0f, 0, 0), 3));
    EXPECT_TRUE(is(100, 1079, al_map_rgb_f(1 - 1539 / 2000.0f, 0, 0), 3));
    EXPECT_TRUE(is(1925, 100, untouched)) << "the sky spans the screen's width only";
}

TEST_F(MapView, AnyScrollDrawsWithoutReadingOutsideTheGrid)
{
    read(striped());
    for (int scroll : {INT_MIN, -100000, -41, -1, 1, 2399, 2400, 100000, INT_MAX}) {
        map.set_screen(scroll, scroll);
        draw();
        map.set_screen(scroll, 40);
        draw();
    }
    map.set_screen(-20, 0);
    draw();
    EXPECT_TRUE(is(25, 5, green)) << "map x 0 at screen x 20";
    EXPECT_FALSE(is(15, 5, green));
}

TEST_F(MapView, RefusedMapDrawsAnEmptyScreen)
{
    read(striped());
    std::istringstream broken("2400 1280 0 0 0 0 0 0 2 0 green.png blue.png 100 9999");
    EXPECT_FALSE(map.read(broken, "broken"));
    draw();
    EXPECT_TRUE(is(5, 5, al_map_rgb(0, 0, 0)));
    EXPECT_TRUE(is(1000, 500, al_map_rgb(0, 0, 0)));
    EXPECT_TRUE(is(1925, 5, untouched));
}

}  // namespace

// The view keeps the map's look in pictures: a cell that a snapshot puts back
// shows its new look on the next frame, in a picture already made or not.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "map/cmap.h"
#include "test_map_folder.h"

namespace {

const ALLEGRO_COLOR green = al_map_rgb(0, 255, 0);
const ALLEGRO_COLOR blue = al_map_rgb(0, 0, 255);
const ALLEGRO_COLOR red = al_map_rgb(255, 0, 0);

// 60 x 32 cells of green back (two pictures each way), walls nowhere.
const int columns = 60;
const int rows = 32;

struct changed_cell {
    int first_xs, first_ys;  // the scroll drawn before the change
    int xs, ys;              // and after it
    int column, row, code;   // the cell put back
    ALLEGRO_COLOR shown;     // at the cell's middle afterwards
    bool half = false;       // drawn in the half-size window
};

class MapPieces : public testing::TestWithParam<changed_cell> {
protected:
    void SetUp() override
    {
        folder = std::make_unique<temp_game_folder>();
        folder->write_tile("green.png", green);
        folder->write_tile("blue.png", blue);
        folder->write_tile("red.png", red);
        map_text text;
        text.columns = columns;
        text.rows = rows;
        text.back = {"green.png", "blue.png"};
        text.wall = {"red.png"};
        text.codes.assign(columns * rows, 100);
        text.codes[0] = 101;  // the spawn point a map needs
        folder->write("zkm/test.zkm", text.str());
        ASSERT_TRUE(map.read_file("zkm/test.zkm")) << map.get_error();
        scale = GetParam().half ? 2 : 1;
        screen = al_create_bitmap(1920 / scale, 1080 / scale);
        ASSERT_NE(screen, nullptr);
        al_set_target_bitmap(screen);
        ALLEGRO_TRANSFORM shrink;
        al_identity_transform(&shrink);
        al_scale_transform(&shrink, 1.0f / scale, 1.0f / scale);
        al_use_transform(&shrink);
    }

    void TearDown() override
    {
        map.deinit();
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(screen);
        folder.reset();
    }

    // Whether logical screen point (x, y) shows the colour.
    bool shows(int x, int y, ALLEGRO_COLOR expected) const
    {
        unsigned char r, g, b, er, eg, eb;
        al_unmap_rgb(al_get_pixel(screen, x / scale, y / scale), &r, &g, &b);
        al_unmap_rgb(expected, &er, &eg, &eb);
        return r == er && g == eg && b == eb;
    }

    std::unique_ptr<temp_game_folder> folder;
    ALLEGRO_BITMAP* screen = nullptr;
    int scale = 1;
};

TEST_P(MapPieces, PutBackCellShowsOnTheNextFrame)
{
    const changed_cell& change = GetParam();
    map.set_screen(change.first_xs, change.first_ys);
    map.draw();
    std::vector<int> codes;
    map.save_cells(codes);
    const std::vector<int> before = codes;
    codes[static_cast<size_t>(change.column * rows + change.row)] = change.code;
    map.restore_cells(codes);
    map.set_screen(change.xs, change.ys);
    map.draw();
    const int x = change.column * cmap::cell_size - change.xs + 20;
    const int y = change.row * cmap::cell_size - change.ys + 20;
    EXPECT_TRUE(shows(x, y, change.shown));
    EXPECT_TRUE(shows(x - 30, y, green)) << "the cell to its left is as it was";
    EXPECT_TRUE(shows(x, y + 30, green)) << "and the one below it";

    map.restore_cells(before);
    map.draw();
    EXPECT_TRUE(shows(x, y, green)) << "put back as it was";
}

// The pictures next to the view are drawn ahead a few rows a frame: a cell put
// back in a row drawn already and one in a row still to draw both show, and
// after enough frames everything around the view is made.
TEST_P(MapPieces, PicturesDrawnAheadShowPutBackCells)
{
    map.set_screen(0, 0);
    map.draw();
    map.draw();  // the picture to the right has its first rows now
    std::vector<int> codes;
    map.save_cells(codes);
    codes[static_cast<size_t>(50 * rows + 0)] = 10100;
    codes[static_cast<size_t>(50 * rows + 12)] = 200;
    map.restore_cells(codes);
    map.set_screen(480, 0);
    map.draw();
    const int x = 50 * cmap::cell_size - 480 + 20;
    EXPECT_TRUE(shows(x, 20, red)) << "in a row drawn ahead";
    EXPECT_TRUE(shows(x, 12 * cmap::cell_size + 20, blue)) << "in a row drawn when shown";
    EXPECT_TRUE(shows(x, 6 * cmap::cell_size + 20, green));

    int frames = 0;
    for (; frames < 100 && !map.view_ready(); frames++)
        map.draw();
    EXPECT_TRUE(map.view_ready()) << "after " << frames << " frames";
}

// Cells in the first picture, across a picture's edge from the view's corner,
// and in a picture the view has not shown before the change; in the half-size
// window with the scroll odd or even each way, whose shrunk pictures must
// show the change too.
INSTANTIATE_TEST_SUITE_P(Cells, MapPieces,
                         testing::Values(changed_cell{0, 0, 0, 0, 5, 5, 200, blue},
                                         changed_cell{0, 0, 0, 0, 5, 5, 10100, red},
                                         changed_cell{1000, 600, 1000, 600, 48, 27, 10200, red},
                                         changed_cell{1000, 600, 1000, 600, 47, 26, 200, blue},
                                         changed_cell{0, 0, 480, 200, 55, 28, 10100, red},
                                         changed_cell{0, 0, 0, 0, 5, 5, 200, blue, true},
                                         changed_cell{1001, 600, 1001, 600, 48, 27, 10200, red, true},
                                         changed_cell{1000, 601, 1000, 601, 47, 26, 200, blue, true},
                                         changed_cell{1, 1, 481, 201, 55, 28, 10100, red, true}));

}  // namespace

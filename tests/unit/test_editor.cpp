// The map editor's step and frame: the codes the brushes paint, presses off
// the grid, the keys with their latches and limits, the leave dialog, and
// what a frame shows at two zoom steps.
#include <vector>

#include "editor_test.h"

namespace {


std::vector<int> all_cells()
{
    std::vector<int> codes;
    for (int column = 0; column < 10; column++)
        for (int row = 0; row < 10; row++)
            codes.push_back(editor.get_cell(column, row));
    return codes;
}

// Each brush on the cell of code 10200 in turn, from its layer key and a
// number of X presses: a marker keeps the pictures, a picture takes the cell.
TEST_F(EditorTest, EachBrushPaintsItsCode)
{
    struct brush {
        int layer_key;
        int next_presses;
        int button;
        int expected;
    };
    const brush brushes[] = {
        {ALLEGRO_KEY_3, 2, 1, 10203},  // marker 3
        {ALLEGRO_KEY_1, 4, 1, 500},    // back picture 5
        {ALLEGRO_KEY_2, 1, 1, 20000},  // wall picture 2
        {ALLEGRO_KEY_3, 0, 2, 0},      // the right button erases
    };
    EXPECT_EQ(editor.get_cell(1, 0), 10200);
    for (const brush& b : brushes) {
        tap(b.layer_key);
        tap(ALLEGRO_KEY_X, b.next_presses);
        press(b.button, 60, 20);
        EXPECT_EQ(editor.get_cell(1, 0), b.expected) << "after key " << b.layer_key;
    }
    EXPECT_TRUE(editor.get_changed());

    // Held, the button paints every cell the pointer crosses.
    tap(ALLEGRO_KEY_2);
    scripted_input::set_button(1, true);
    for (int x = 0; x < 400; x += 40) {
        scripted_input::set_pointer(x + 5, 380);
        editor.update();
    }
    for (int column = 0; column < 10; column++)
        EXPECT_EQ(editor.get_cell(column, 9), 10000) << "column " << column;
}

// Off the grid on every side, negative positions included, at two zoom
// steps; and a button held since the editor opened.
TEST_F(EditorTest, PressesOffTheGridPaintNothing)
{
    const std::vector<int> before = all_cells();
    tap(ALLEGRO_KEY_2);
    const int points[][2] = {{-1, 5}, {5, -1}, {-39, -39}, {400, 5}, {5, 400}, {2000, 2000}};
    for (const auto& point : points) {
        press(1, point[0], point[1]);
        press(2, point[0], point[1]);
    }
    tap(ALLEGRO_KEY_Q);  // 20 units a cell: the map ends at 200
    press(1, 210, 5);
    press(1, 5, 199 + 2);
    EXPECT_EQ(all_cells(), before);
    EXPECT_FALSE(editor.get_changed());

    scripted_input::set_pointer(5, 5);
    scripted_input::set_button(1, true);
    open();
    for (int step = 0; step < 5; step++)
        editor.update();
    EXPECT_EQ(editor.get_cell(0, 0), 1) << "the press that opened the editor painted";
    press(1, 5, 5);
    EXPECT_EQ(editor.get_cell(0, 0), 1) << "still held from before";
    press(1, 5, 5);
    EXPECT_EQ(editor.get_cell(0, 0), 1 + 0) << "markers: marker 1 again";
    tap(ALLEGRO_KEY_1);
    press(1, 5, 5);
    EXPECT_EQ(editor.get_cell(0, 0), 100);
}

TEST_F(EditorTest, ZoomStepsPerPressWithinItsLimits)
{
    scripted_input::set_key(ALLEGRO_KEY_Q, true);
    for (int step = 0; step < 300; step++) {
        editor.update();
        ASSERT_EQ(editor.get_zoom(), 1) << "held, Q zooms once";
        ASSERT_GE(editor.get_zoom_timer(), 255) << "and the text stays fully lit";
    }
    scripted_input::set_key(ALLEGRO_KEY_E, true);  // shares the latch with Q
    editor.update();
    EXPECT_EQ(editor.get_zoom(), 1);
    scripted_input::set_key(ALLEGRO_KEY_Q, false);
    scripted_input::set_key(ALLEGRO_KEY_E, false);
    editor.update();
    EXPECT_EQ(editor.get_zoom_timer(), 498);
    for (int step = 0; step < 498; step++)
        editor.update();
    EXPECT_EQ(editor.get_zoom_timer(), 0);

    const int sizes[] = {40, 20, 10, 5, 4, 4};
    for (int expected : {2, 3, 4, 4}) {
        tap(ALLEGRO_KEY_Q);
        EXPECT_EQ(editor.get_zoom(), expected);
        EXPECT_EQ(editor.get_zoom_size(), sizes[expected]);
    }
    for (int expected : {3, 2, 1, 0, 0}) {
        tap(ALLEGRO_KEY_E);
        EXPECT_EQ(editor.get_zoom(), expected);
    }
}

// X stops at the layer's last picture or marker, Y at the first; a layer
// key starts from the first again.
TEST_F(EditorTest, SelectionStaysWithinTheLayer)
{
    const struct {
        int layer_key;
        int layer;
        int last;
    } layers[] = {{ALLEGRO_KEY_3, ceditor::marker_layer, 15},
                  {ALLEGRO_KEY_1, ceditor::back_layer, 6},
                  {ALLEGRO_KEY_2, ceditor::wall_layer, 1}};
    for (const auto& layer : layers) {
        tap(layer.layer_key);
        EXPECT_EQ(editor.get_brush_layer(), layer.layer);
        EXPECT_EQ(editor.get_selection(), 0);
        tap(ALLEGRO_KEY_X, 20);
        EXPECT_EQ(editor.get_selection(), layer.last);
        tap(ALLEGRO_KEY_Y, 20);
        EXPECT_EQ(editor.get_selection(), 0);
    }
    scripted_input::set_key(ALLEGRO_KEY_X, true);
    for (int step = 0; step < 50; step++)
        editor.update();
    EXPECT_EQ(editor.get_selection(), 1) << "held, X moves once";
}

// Key 1 for a map without back pictures keeps the brush and, held, hides 2.
TEST_F(EditorTest, LayerKeyOfAnEmptyLayer)
{
    map_text text = editor_map();
    text.back.clear();
    text.codes[1] = 10000;
    text.codes[99] = 20005;
    folder.write("zkm/edit.zkm", text.str());
    open();
    tap(ALLEGRO_KEY_1);
    EXPECT_EQ(editor.get_brush_layer(), ceditor::marker_layer);
    scripted_input::set_key(ALLEGRO_KEY_1, true);
    scripted_input::set_key(ALLEGRO_KEY_2, true);
    editor.update();
    EXPECT_EQ(editor.get_brush_layer(), ceditor::marker_layer);
    scripted_input::set_key(ALLEGRO_KEY_1, false);
    editor.update();
    EXPECT_EQ(editor.get_brush_layer(), ceditor::wall_layer);
}

// The dialog's buttons are exclusive at their edges; a press elsewhere keeps
// the dialog open, and while it is open the mouse paints and erases nothing.
TEST_F(EditorTest, LeaveDialog)
{
    const struct {
        int x, y, quit;
    } presses[] = {
        {700, 540, ceditor::save_and_leave}, {635, 515, ceditor::save_and_leave},
        {934, 564, ceditor::save_and_leave}, {1100, 540, ceditor::leave_unsaved},
        {985, 564, ceditor::leave_unsaved},  {634, 540, ceditor::asking},
        {935, 540, ceditor::asking},         {700, 514, ceditor::asking},
        {1284, 565, ceditor::asking},        {960, 540, ceditor::asking},
    };
    for (const auto& p : presses) {
        open();
        leave_through(p.x, p.y);
        EXPECT_EQ(editor.get_quit(), p.quit) << p.x << ", " << p.y;
    }

    open();
    tap(ALLEGRO_KEY_ESCAPE);
    press(1, 60, 20);
    press(2, 60, 20);
    EXPECT_EQ(editor.get_cell(1, 0), 10200);
    tap(ALLEGRO_KEY_ESCAPE);
    EXPECT_EQ(editor.get_quit(), ceditor::editing);
    press(2, 60, 20);
    EXPECT_EQ(editor.get_cell(1, 0), 0);
}

class EditorDraw : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        screen = al_create_bitmap(1920, 1080);
        ASSERT_NE(screen, nullptr);
        al_set_target_bitmap(screen);
    }
    void TearDown() override
    {
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(screen);
        EditorTest::TearDown();
    }
    unsigned char red(int x, int y) const { return rgb(x, y)[0]; }
    std::vector<unsigned char> rgb(int x, int y) const
    {
        unsigned char r, g, b;
        al_unmap_rgb(al_get_pixel(screen, x, y), &r, &g, &b);
        return {r, g, b};
    }
    // Grid lines met along the row y from x = 0 to the screen's edge: runs
    // of pixels lighter than the sky a few pixels before them.
    int lines_across(int y) const
    {
        int lines = 0;
        bool on = false;
        for (int x = 0; x < 1920; x++) {
            const bool light = rgb(x, y)[1] > 0;  // the sky here has no green
            lines += light && !on;
            on = light;
        }
        return lines;
    }

    ALLEGRO_BITMAP* screen = nullptr;
};

// One grid line per column and row over the map alone, the map's sky and
// cells at the zoom's size, black beyond; the brush under the pointer.
TEST_F(EditorDraw, MapGridAndBrushAtTwoZoomSteps)
{
    const struct {
        int size, row_y, map_end;
    } steps[] = {{40, 220, 400}, {20, 110, 200}};
    for (const auto& step : steps) {
        scripted_input::set_pointer(1500, 900);
        editor.update();
        editor.draw();
        EXPECT_EQ(lines_across(step.row_y), 10) << "cells of " << step.size;
        EXPECT_EQ(rgb(step.map_end + 1, step.row_y), (std::vector<unsigned char>{0, 0, 0}));
        EXPECT_GT(rgb(step.map_end - 2, step.row_y)[2], 0) << "the sky reaches the map's edge";
        // Cell (1, 0) shows wall 1, and the last cell wall 2.
        EXPECT_EQ(rgb(step.size + step.size / 2, step.size / 2), (std::vector<unsigned char>{0, 0, 150}));
        EXPECT_EQ(rgb(step.map_end - 2, step.map_end - 2)[2], 250);
        tap(ALLEGRO_KEY_Q);
    }

    tap(ALLEGRO_KEY_1);
    tap(ALLEGRO_KEY_X, 2);  // back picture 3
    scripted_input::set_pointer(1500, 900);
    editor.update();
    editor.draw();
    const int size = 10;  // two Q presses
    EXPECT_EQ(red(1500 - size / 2, 900 - size / 2), 160);
    EXPECT_EQ(red(1500 + 2, 900 + 2), 0) << "the brush ends at the pointer";

    // The dialog hides the brush.
    tap(ALLEGRO_KEY_ESCAPE);
    editor.draw();
    EXPECT_NE(red(1500 - size / 2, 900 - size / 2), 160);
}

}  // namespace

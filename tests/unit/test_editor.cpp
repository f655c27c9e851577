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

// Brush after brush on the cell of code 10200: a marker keeps the pictures,
// a picture takes the cell alone, the right button empties it.
TEST_F(EditorTest, EachBrushPaintsItsCode)
{
    const struct {
        int layer_key, next_presses, button, expected;
    } brushes[] = {
        {ALLEGRO_KEY_3, 2, 1, 10203},  // marker 3
        {ALLEGRO_KEY_1, 4, 1, 500},    // back picture 5
        {ALLEGRO_KEY_2, 1, 1, 20000},  // wall picture 2
        {ALLEGRO_KEY_3, 0, 2, 0},
    };
    for (const auto& b : brushes) {
        tap(b.layer_key);
        tap(ALLEGRO_KEY_X, b.next_presses);
        press(b.button, 60, 20);
        EXPECT_EQ(editor.get_cell(1, 0), b.expected) << "after key " << b.layer_key;
    }
    // Held, the button paints every cell the pointer crosses.
    tap(ALLEGRO_KEY_2);
    scripted_input::set_button(1, true);
    for (int x = 5; x < 400; x += 40) {
        scripted_input::set_pointer(x, 380);
        editor.update();
    }
    for (int column = 0; column < 10; column++)
        EXPECT_EQ(editor.get_cell(column, 9), 10000) << "column " << column;
}

// Off the grid on every side, negative positions included, at two zoom
// steps; and a press held since the editor opened.
TEST_F(EditorTest, PressesOffTheGridPaintNothing)
{
    const std::vector<int> before = all_cells();
    tap(ALLEGRO_KEY_2);
    for (const auto& p : {std::pair{-1, 5}, {5, -1}, {-39, -39}, {400, 5}, {5, 400}}) {
        press(1, p.first, p.second);
        press(2, p.first, p.second);
    }
    tap(ALLEGRO_KEY_Q);  // 20 units a cell: the map ends at 200
    press(1, 201, 5);
    press(1, 5, 201);
    EXPECT_EQ(all_cells(), before);
    EXPECT_FALSE(editor.get_changed());

    scripted_input::set_pointer(60, 20);
    scripted_input::set_button(1, true);
    open();
    for (int expected : {10200, 10201}) {  // held since init, then a new press
        press(1, 60, 20);
        EXPECT_EQ(editor.get_cell(1, 0), expected);
    }
}

// Held keys act once; zoom and selection stop at their ends; the zoom text
// stays fully lit while Q is held and fades out over 500 steps after.
TEST_F(EditorTest, KeysActOncePerPressWithinTheirLimits)
{
    scripted_input::set_key(ALLEGRO_KEY_Q, true);
    for (int step = 0; step < 300; step++)
        editor.update();
    EXPECT_EQ(editor.get_zoom(), 1);
    EXPECT_EQ(editor.get_zoom_timer(), 499);
    tap(ALLEGRO_KEY_E);  // Q still held: the shared latch holds E too
    EXPECT_EQ(editor.get_zoom(), 1);
    scripted_input::set_key(ALLEGRO_KEY_Q, false);
    for (int step = 0; step < 499; step++)
        editor.update();
    EXPECT_EQ(editor.get_zoom_timer(), 0);
    for (int expected : {2, 3, 4, 4}) {
        tap(ALLEGRO_KEY_Q);
        EXPECT_EQ(editor.get_zoom(), expected);
    }
    EXPECT_EQ(editor.get_zoom_size(), 4);
    tap(ALLEGRO_KEY_E, 5);
    EXPECT_EQ(editor.get_zoom(), 0);

    const struct {
        int layer_key, layer, last;
    } layers[] = {{ALLEGRO_KEY_3, ceditor::marker_layer, 15},
                  {ALLEGRO_KEY_1, ceditor::back_layer, 6},
                  {ALLEGRO_KEY_2, ceditor::wall_layer, 1}};
    for (const auto& layer : layers) {
        tap(layer.layer_key);
        EXPECT_EQ(editor.get_brush_layer(), layer.layer);
        tap(ALLEGRO_KEY_X, 20);
        EXPECT_EQ(editor.get_selection(), layer.last);
        tap(ALLEGRO_KEY_Y, 20);
        EXPECT_EQ(editor.get_selection(), 0);
    }
    scripted_input::set_key(ALLEGRO_KEY_X, true);
    for (int step = 0; step < 50; step++)
        editor.update();
    EXPECT_EQ(editor.get_selection(), 1);
}

// The buttons are exclusive at their edges; any other press keeps the dialog
// open, and while it is open the mouse neither paints nor erases.
TEST_F(EditorTest, LeaveDialog)
{
    const struct {
        int x, y, quit;
    } presses[] = {
        {635, 515, ceditor::save_and_leave}, {934, 564, ceditor::save_and_leave},
        {985, 540, ceditor::leave_unsaved},  {1284, 564, ceditor::leave_unsaved},
        {634, 540, ceditor::asking},         {935, 540, ceditor::asking},
        {700, 514, ceditor::asking},         {1100, 565, ceditor::asking},
    };
    for (const auto& p : presses) {
        open();
        tap(ALLEGRO_KEY_ESCAPE);
        press(1, p.x, p.y);
        EXPECT_EQ(editor.get_quit(), p.quit) << p.x << ", " << p.y;
    }
    press(1, 60, 20);
    press(2, 60, 20);
    EXPECT_EQ(editor.get_cell(1, 0), 10200);
    tap(ALLEGRO_KEY_ESCAPE);
    EXPECT_EQ(editor.get_quit(), ceditor::editing);
    press(2, 60, 20);
    EXPECT_EQ(editor.get_cell(1, 0), 0);
}

// At 40 and 20 units a cell: the sky and the cells over the map's cells
// only, black beyond; the grid over the map's 400 x 400 units whatever the
// zoom, one line per cell of that size; then the brush under the pointer,
// hidden by the dialog.
TEST_F(EditorTest, FrameAtTwoZoomSteps)
{
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    ASSERT_NE(screen, nullptr);
    al_set_target_bitmap(screen);
    const std::vector<int> black = {0, 0, 0};
    for (int size : {40, 20}) {
        const int end = 10 * size;
        const int y = 5 * size + size / 2;  // a row of empty cells
        editor.draw();
        int lines = 0;
        for (int x = 0, lit = 0; x < 1920; x++) {
            lines += rgb(screen, x, y)[1] > 0 && !lit;
            lit = rgb(screen, x, y)[1] > 0;
        }
        EXPECT_EQ(lines, 400 / size) << "at " << size;
        const int last_line = 400 - size;  // the pixel column it lights
        EXPECT_GT(rgb(screen, last_line, 399)[1], 0) << "the last line reaches the map's bottom";
        EXPECT_EQ(rgb(screen, last_line, 403), black) << "and ends there";
        EXPECT_EQ(rgb(screen, end + size / 2, y), black) << "no sky beyond the cells";
        EXPECT_GT(rgb(screen, end - 2, y)[2], 0);
        EXPECT_EQ(rgb(screen, size + size / 2, size / 2), (std::vector<int>{0, 0, 150}));
        EXPECT_EQ(rgb(screen, end - 2, end - 2), (std::vector<int>{0, 0, 250}));
        tap(ALLEGRO_KEY_Q);
    }
    tap(ALLEGRO_KEY_1);
    tap(ALLEGRO_KEY_X, 2);  // back picture 3, in cells of 10
    scripted_input::set_pointer(1500, 900);
    editor.update();
    editor.draw();
    EXPECT_EQ(rgb(screen, 1495, 895)[0], 160);
    EXPECT_EQ(rgb(screen, 1502, 902)[0], 0) << "the brush ends at the pointer";
    tap(ALLEGRO_KEY_ESCAPE);
    editor.draw();
    EXPECT_NE(rgb(screen, 1495, 895)[0], 160);
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

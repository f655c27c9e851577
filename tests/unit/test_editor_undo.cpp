// Undo and redo in the editor: a press-drag-release is one step, new strokes
// drop what was undone, the history has a bound, and saving keeps it. And
// F5's test match: a copy of the edited cells, never the file.
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "editor_test.h"
#include "map/edit_history.h"

namespace {

class EditorUndo : public EditorTest {
protected:
    // Ctrl+Z, or Ctrl+Shift+Z with `redo`.
    static void control_z(bool redo = false, int times = 1)
    {
        scripted_input::set_key(ALLEGRO_KEY_LCTRL, true);
        scripted_input::set_key(ALLEGRO_KEY_LSHIFT, redo);
        tap(ALLEGRO_KEY_Z, times);
        scripted_input::set_key(ALLEGRO_KEY_LSHIFT, false);
        scripted_input::set_key(ALLEGRO_KEY_LCTRL, false);
        editor.update();
    }
    // One stroke of `button` along row `row` over columns [first, last].
    static void drag(int button, int row, int first, int last)
    {
        scripted_input::set_button(button, true);
        for (int column = first; column <= last; column++) {
            scripted_input::set_pointer(column * 40 + 20, row * 40 + 20);
            editor.update();
        }
        scripted_input::set_button(button, false);
        editor.update();
    }
    static std::vector<int> row_cells(int row)
    {
        std::vector<int> cells;
        for (int column = 0; column < 10; column++)
            cells.push_back(editor.get_cell(column, row));
        return cells;
    }
};

TEST_F(EditorUndo, StrokesUndoAndRedoWhole)
{
    const std::vector<int> empty(10, 0);
    tap(ALLEGRO_KEY_2);
    drag(1, 5, 0, 3);  // walls over four cells: one step
    drag(2, 5, 2, 9);  // erasing two of them: another
    std::vector<int> both(10, 0);
    both[0] = both[1] = 10000;
    EXPECT_EQ(row_cells(5), both);

    control_z();
    EXPECT_EQ(row_cells(5), std::vector<int>({10000, 10000, 10000, 10000, 0, 0, 0, 0, 0, 0}));
    control_z();
    EXPECT_EQ(row_cells(5), empty);
    EXPECT_FALSE(editor.get_changed()) << "back to the cells as read";
    control_z();  // nothing more to undo
    EXPECT_EQ(row_cells(5), empty);

    control_z(true, 2);
    EXPECT_EQ(row_cells(5), both);
    EXPECT_TRUE(editor.get_changed());

    // A new stroke after an undo drops the step that was undone.
    control_z();
    drag(1, 6, 0, 0);
    control_z(true);
    EXPECT_EQ(editor.get_cell(2, 5), 10000) << "the erasing stroke is gone for good";

    // Ctrl+Z does nothing while the leave dialog is open.
    tap(ALLEGRO_KEY_ESCAPE);
    control_z();
    EXPECT_EQ(editor.get_cell(0, 6), 10000);
}

TEST_F(EditorUndo, SavingKeepsTheHistoryAndTheFileHoldsTheRedoneCells)
{
    tap(ALLEGRO_KEY_2);
    drag(1, 4, 0, 1);
    drag(1, 4, 2, 2);
    control_z();
    ASSERT_TRUE(editor.save()) << editor.get_message();
    EXPECT_FALSE(editor.get_changed());

    control_z();
    EXPECT_TRUE(editor.get_changed());
    EXPECT_EQ(editor.get_cell(0, 4), 0);
    control_z(true);
    EXPECT_FALSE(editor.get_changed()) << "redone to the saved cells";
    control_z(true);
    EXPECT_TRUE(editor.get_changed());
    ASSERT_TRUE(editor.save());

    map_text expected = editor_map();
    expected.codes[40] = expected.codes[41] = expected.codes[42] = 10000;
    EXPECT_EQ(file_text("zkm/edit.zkm"), expected.str());
}

TEST_F(EditorUndo, TestPlayCopiesTheEditedCellsAndNeedsASpawnPoint)
{
    const std::string file = file_text("zkm/edit.zkm");
    tap(ALLEGRO_KEY_2);
    drag(1, 4, 0, 0);
    tap(ALLEGRO_KEY_F5);
    EXPECT_EQ(editor.get_quit(), ceditor::test_play);
    std::istringstream copy(editor.test_copy());
    ASSERT_TRUE(map.read(copy, "copy")) << map.get_error();
    EXPECT_EQ(map.get_map(10, 4 * 40 + 10), 10000);
    EXPECT_EQ(map.get_nsp(), 2);
    editor.resume("");
    EXPECT_EQ(editor.get_quit(), ceditor::editing);
    control_z();
    EXPECT_EQ(editor.get_cell(0, 4), 0) << "the history survives the match";

    drag(2, 0, 0, 0);  // both spawn points erased
    drag(2, 9, 9, 9);
    EXPECT_EQ(editor.test_copy(), "");
    EXPECT_NE(std::string(editor.get_message()).find("NOT PLAYED"), std::string::npos);
    EXPECT_EQ(file_text("zkm/edit.zkm"), file);
}

TEST_F(EditorUndo, PlacedWaypointsAreOneStep)
{
    drag(2, 9, 9, 9);  // the one wall with room above it
    tap(ALLEGRO_KEY_P);
    EXPECT_NE(std::string(editor.get_message()).find("NO WAYPOINTS PLACED"), std::string::npos)
        << "no floor left";
    tap(ALLEGRO_KEY_2);
    drag(1, 9, 0, 9);
    auto every_cell = [] {
        std::vector<int> cells;
        for (int row = 0; row < 10; row++)
            for (int code : row_cells(row))
                cells.push_back(code);
        return cells;
    };
    const std::vector<int> painted = every_cell();
    tap(ALLEGRO_KEY_P);
    const std::vector<int> placed = every_cell();
    const long spawns = std::count_if(placed.begin(), placed.end(), [](int code) {
        return code % 100 >= 1 && code % 100 <= 8;
    });
    EXPECT_EQ(spawns, 8) << "spawn points added up to eight";
    control_z();
    EXPECT_EQ(every_cell(), painted);
    control_z(true);
    EXPECT_EQ(every_cell(), placed);
}

TEST(EditHistory, KeepsTheLatestStepsAndForgetsAnUnreachableSave)
{
    edit_history history;
    const int strokes = static_cast<int>(edit_history::most_steps) + 20;
    for (int i = 0; i < strokes; i++) {
        history.begin_stroke();
        history.record(0, 0, i, i + 1);
        history.record(1, 0, 5, 6);
        history.record(1, 0, 6, 5);  // changed and changed back: not kept
        history.end_stroke();
    }
    int undone = 0;
    const edit_history::step* last = nullptr;
    while (const edit_history::step* step = history.undo()) {
        last = step;
        undone++;
    }
    EXPECT_EQ(undone, static_cast<int>(edit_history::most_steps));
    ASSERT_NE(last, nullptr);
    ASSERT_EQ(last->size(), 1u);
    EXPECT_EQ(last->front().before, 20) << "the oldest steps were dropped";
    EXPECT_FALSE(history.at_saved()) << "the cells as read are out of reach";

    history.begin_stroke();
    history.end_stroke();
    EXPECT_TRUE(history.can_redo()) << "an empty stroke drops nothing";
}

}  // namespace

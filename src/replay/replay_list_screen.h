// The replays screen: the replays folder's files, newest first, one row
// each, scrolled by the wheel and the arrow keys. A click or Enter picks a
// replay to play, Delete removes one after a yes/no question, and Escape
// goes back to the menu. Files that cannot be played are greyed, with why.
#pragma once

#include <string>
#include <vector>

#include <allegro5/allegro_primitives.h>

#include "app/press_latch.h"
#include "replay/replay_list.h"

// Where the rows stand, in logical units.
struct replay_list_layout {
    static constexpr int top = 220;
    static constexpr int row_height = 50;
    static constexpr int rows_shown = 14;
    static constexpr int left = 150;
    static constexpr int right = 1770;
};

class replay_list_screen {
public:
    replay_list_screen();

    // Lists `folder` afresh, with the row `selected` chosen (as far as it goes).
    void init(const std::string& new_folder, int selected);
    void update();
    void draw();

    bool done() const { return left || !chosen.empty(); }
    // The replay to play; "" when the screen was left.
    const std::string& get_chosen() const { return chosen; }
    int get_selected() const { return selected; }
    const std::vector<replay_row>& get_rows() const { return rows; }

private:
    void list_again();
    void select(int row);
    void pick(int row);
    void keys();
    void pointer();
    void question();
    void draw_row(int row, int y) const;

    std::string folder;
    std::vector<replay_row> rows;
    int selected = 0;
    int first_shown = 0;
    int wheel = 0;  // the wheel's position at the last update
    bool asking = false;  // whether to delete the selected replay
    std::string note;     // why the last delete failed
    std::string chosen;
    bool left = false;
    press_latch click, up_key, down_key, enter_key, delete_key, escape_key, yes_key, no_key;
    ALLEGRO_VERTEX backdrop[4];
};

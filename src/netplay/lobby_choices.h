// The host's choices for the next match, beside the players in its lobby:
// the map among the map folder's, the bots, the score limit and the time
// limit, a row each with arrows. Up and Down pick a row, Left and Right change it, and a
// click on an arrow changes its row.
#pragma once

#include <string>
#include <vector>

#include "app/press_latch.h"
#include "match/match_rules.h"

class lobby_choices {
public:
    static constexpr int rows = 4;
    // Starts on the map `level` of the map list, `bots` and `rules`, which
    // the arrows' steps take in where they are not among them.
    void init(int level, int bots, const match_rules& rules);
    // Takes the keys and the mouse as polled; true when a choice changed.
    bool update();
    void draw() const;

    int get_level() const { return level; }
    int get_bots() const { return bots; }
    match_rules get_rules() const;
    // What row `row` shows: "FOUNDRY", "3", "10 KILLS", "NONE" and so on.
    std::string shown(int row) const;

private:
    void change(int row, int by);

    int selected = 0;
    int level = 0;
    int bots = 0;
    std::vector<int> scores;  // the score limit's steps, and the one taken now
    std::vector<int> times;
    int score_at = 0;
    int time_at = 0;
    press_latch up_key, down_key, left_key, right_key, click;
};

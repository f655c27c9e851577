// What each fighter did in a match, watched after every step: kills and
// deaths as the match's events tell them, the distinct cells its body centre
// entered, and the longest time it stayed alive in one cell. The headless
// runner prints it and the bot-play tests judge maps by it.
#pragma once

#include <vector>

#include "match/match_events.h"
#include "match/score_count.h"

struct fighter_tally {
    int kills = 0;
    int deaths = 0;
    int cells = 0;            // distinct cells entered
    int longest_in_cell = 0;  // ticks alive in one cell, the longest run
};

class match_tally {
public:
    // Starts counting afresh for the map now in `map`.
    void start();
    // Looks at every fighter once; call after every match step, recorded
    // into `events`.
    void watch(const match_events& events);

    const fighter_tally& get(int id) const { return fighters[id].tally; }

private:
    struct watched {
        fighter_tally tally;
        std::vector<bool> visited;
        int cell = -1;
        int run = 0;
    };

    void watch_fighter(int id);

    std::vector<watched> fighters;
    score_count scores;
    int columns = 0;
    int rows = 0;
};

// What each fighter did in a match, watched from outside after every step:
// kills, deaths, the distinct cells its body centre entered, and the longest
// time it stayed alive in one cell. The headless runner prints it and the
// bot-play tests judge maps by it.
#pragma once

#include <vector>

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
    // Looks at every fighter once; call after every match step.
    void watch();

    const fighter_tally& get(int id) const { return fighters[id].tally; }

private:
    struct watched {
        fighter_tally tally;
        std::vector<bool> visited;
        int cell = -1;
        int run = 0;
        bool alive = false;
    };

    void watch_fighter(int id);

    std::vector<watched> fighters;
    int columns = 0;
    int rows = 0;
};

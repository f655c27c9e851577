// The scoreboard held up on Tab over any match: every fighter's name, kills,
// deaths and, in a network match, ping, best first, in its shirt's colour.
#pragma once

#include <string>
#include <vector>

#include <allegro5/allegro.h>

#include "match/score_count.h"

struct scoreboard_row {
    int slot = 0;
    std::string name;
    int kills = 0;
    int deaths = 0;
    int ping_ms = -1;  // -1: not known, shown as "-"
    ALLEGRO_COLOR shirt = {};
};

// Most kills first, then fewer deaths, then the lower slot.
std::vector<scoreboard_row> sorted_scoreboard(std::vector<scoreboard_row> rows);

// A fighter's name: the humans' own in slot order, then "BOT 1" onwards.
std::string fighter_name(int slot, const std::vector<std::string>& human_names);

// The rows of every fighter in the match now, with `scores` and `pings`
// per slot (shorter lists leave the rest at none and unknown).
std::vector<scoreboard_row> scoreboard_rows(const std::vector<std::string>& human_names,
                                            const std::vector<fighter_score>& scores, const std::vector<int>& pings);

// Draws the sorted rows centred on the screen, `local_slot`'s row marked;
// the ping column only when `with_ping`.
void draw_scoreboard(const std::vector<scoreboard_row>& rows, int local_slot, bool with_ping);

// How a network match ends: at a score, at a time, or, with neither, only
// when the host leaves. Every peer decides it from the match state after a
// step, so the end falls on the same tick everywhere and in the replay.
#pragma once

#include <cstdint>
#include <vector>

struct match_rules {
    int score_limit = 0;  // kills that win; 0 for none
    int time_limit = 0;   // minutes of play; 0 for none

    bool operator==(const match_rules& other) const
    {
        return score_limit == other.score_limit && time_limit == other.time_limit;
    }
};

// What the lobby's arrows step through; the host's command line may give
// any value the readers take.
const int score_limit_choices[] = {0, 10, 20, 30, 50};
const int time_limit_choices[] = {0, 5, 10, 15, 20};
const int most_score_limit = 999;
const int most_time_limit = 24 * 60;

inline bool is_score_limit(std::uint32_t kills) { return kills <= most_score_limit; }
inline bool is_time_limit(std::uint32_t minutes) { return minutes <= most_time_limit; }

// A match is over once a fighter has `score_limit` kills or the time is up.
struct match_result {
    bool over = false;
    int winner = -1;  // the fighter's slot; -1 for a draw
};

// A fighter's count of kills and deaths.
struct fighter_score {
    int kills = 0;
    int deaths = 0;
};

// The result after `ticks` steps, the fighters' counts by slot: the most
// kills win, then the fewer deaths; still equal, a draw.
match_result result_of(const match_rules& rules, std::uint32_t ticks, const std::vector<fighter_score>& fighters);
// The same for the match now in `game` and `players`.
match_result match_result_now(const match_rules& rules, std::uint32_t ticks);
// Ticks of play that `minutes` make.
std::uint32_t ticks_of_minutes(int minutes);

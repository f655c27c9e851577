// What a match's rules put on the screen: the time left while a time limit
// runs, and at the end the final scoreboard under the winner's name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/match_rules.h"
#include "match/score_count.h"

// "4:59" for the time left after `ticks`; empty without a time limit.
std::string time_left_text(const match_rules& rules, std::uint32_t ticks);
// At the top of the screen, in the middle.
void draw_time_left(const match_rules& rules, std::uint32_t ticks);

// "NAME WINS" with the winner's name (the humans' in slot order, then the
// bots'), or "DRAW".
std::string match_end_title(const match_result& result, const std::vector<std::string>& human_names);
// The title over the final scoreboard of `scores` by slot, `local_slot`'s
// row marked.
void draw_match_end(const match_result& result, const std::vector<std::string>& human_names,
                    const std::vector<fighter_score>& scores, const std::vector<int>& pings, int local_slot,
                    bool with_ping);

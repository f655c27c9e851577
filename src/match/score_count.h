// Every fighter's kills and deaths read from a match's events, counted as
// the fighters count their own: a kill credits the striker, a blow of one's
// own takes a kill back, and a human who comes in for a bot starts afresh.
// The scoreboard, the final one under the winner and the tally read them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "match/match_events.h"
#include "match/match_rules.h"

class score_count {
public:
    void clear();
    // Reads on up to what had happened after `tick` steps.
    void read(const match_events& events, std::uint32_t tick);
    // By slot; a slot nothing happened to may be missing at the end.
    const std::vector<fighter_score>& by_slot() const { return scores; }
    fighter_score of(int slot) const;

private:
    fighter_score& slot_score(int slot);

    std::vector<fighter_score> scores;
    std::size_t taken = 0;
};

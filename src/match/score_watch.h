// The kill feed and the scoreboard over a match, read from the match's
// events as far as the screen is to show them: every step's in the menu's
// match and a replay, a network match's once they are final, so that a
// going back never shows a death that did not happen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/kill_feed.h"
#include "match/match_events.h"
#include "match/score_count.h"

class score_watch {
public:
    // A new match, or a replay after a seek: the feed starts empty after
    // `tick` steps, the counts from the match's start.
    void reset(const match_events& events, std::uint32_t tick);
    // Once an update: takes what had happened after `tick` steps.
    void watch(const match_events& events, std::uint32_t tick);
    // Every fighter's kills and deaths by slot.
    const std::vector<fighter_score>& get_scores() const { return counts.by_slot(); }
    std::vector<kill_entry> feed_now() const { return feed.shown(steps); }
    // The feed, and the scoreboard while Tab is held; the humans' names in
    // slot order, their pings by slot when `with_ping`.
    void draw(const std::vector<std::string>& human_names, const std::vector<int>& pings, bool with_ping) const;

private:
    kill_feed feed;
    score_count counts;
    std::uint32_t steps = 0;  // the feed's clock: updates watched
    std::size_t fed = 0;      // the events the feed has taken
};

// The deaths and the kills of a match, seen from outside after each step,
// for the scoreboard and the kill feed. The match state counts kills but no
// deaths, so the deaths are counted here, where no step reads them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/kill_feed.h"

class score_watch {
public:
    // Forgets the deaths and the feed: a new match, or a replay after a seek.
    void reset();
    // Looks at every fighter once; call after each step.
    void watch();
    const std::vector<int>& get_deaths() const { return deaths; }
    std::vector<kill_entry> feed_now() const { return feed.shown(steps); }
    // The feed, and the scoreboard while Tab is held; the humans' names in
    // slot order, their pings by slot when `with_ping`.
    void draw(const std::vector<std::string>& human_names, const std::vector<int>& pings, bool with_ping) const;

private:
    kill_feed feed;
    std::vector<int> deaths;
    std::vector<bool> alive;
    std::uint32_t steps = 0;
};

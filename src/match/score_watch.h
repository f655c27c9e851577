// The kills of a match as they happen, seen from outside after each step,
// for the kill feed; and the scoreboard, from the fighters' own counts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fighters/last_blow.h"
#include "match/kill_feed.h"

class score_watch {
public:
    // Forgets the feed: a new match, or a replay after a seek.
    void reset();
    // Looks at every fighter once; call after each step.
    void watch();
    // A network match's way instead: the deaths as they become final, so
    // that none a going back undoes is shown; call once an update.
    void watch_final(const std::vector<kill_event>& kills, std::uint32_t final_tick);
    // Every fighter's deaths by slot, as the match state counts them.
    static std::vector<int> get_deaths();
    std::vector<kill_entry> feed_now() const { return feed.shown(steps); }
    // The feed, and the scoreboard while Tab is held; the humans' names in
    // slot order, their pings by slot when `with_ping`.
    void draw(const std::vector<std::string>& human_names, const std::vector<int>& pings, bool with_ping) const;

private:
    kill_feed feed;
    std::vector<bool> alive;
    std::uint32_t steps = 0;
    std::size_t kills_taken = 0;
};

// The kill feed at the top right: the last five kills, each for five
// seconds, newest on top. Its clock is the watcher's count of steps seen.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "match/match_shape.h"

struct kill_entry {
    int killer = -1;  // -1 when the victim is shown alone
    int cause = 0;    // a gun type, blow_grenade or blow_fall
    int victim = 0;
    std::uint32_t tick = 0;
};

class kill_feed {
public:
    static constexpr std::size_t most_shown = 5;
    static constexpr std::uint32_t shown_ticks = 5 * ticks_a_second;

    // A death by `killer` (nobody: -1) with `cause`; a fall or one's own
    // blow shows the victim alone.
    void add(int killer, int cause, int victim, std::uint32_t tick);
    void clear() { entries.clear(); }
    // The entries still shown at `now`, newest first.
    std::vector<kill_entry> shown(std::uint32_t now) const;

private:
    std::deque<kill_entry> entries;  // newest first
};

// Draws the entries at the top right, names from `human_names` as on the scoreboard.
void draw_kill_feed(const std::vector<kill_entry>& entries, const std::vector<std::string>& human_names);

// The lines a peer has heard: the last few for the screen, a count of every
// one ever heard, and the match's lines at their ticks for its replay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "net/net_messages.h"
#include "replay/replay_file.h"

class chat_log {
public:
    // Only the last this many stay.
    static constexpr std::size_t most_kept = 16;

    // Keeps a line; a player's line said in the match (`match_on`, where
    // `humans` play) goes in the match's too.
    void hear(const net_chat& line, bool match_on, int humans);
    // A new session forgets every line; a new match its own.
    void clear();
    void new_match() { in_match.clear(); }

    // Oldest first: the speaker's slot (net_chat_note_slot for a note to
    // this player alone), the host's tick and the text.
    const std::deque<net_chat>& lines() const { return heard; }
    std::uint64_t count() const { return heard_count; }
    // The lines heard after the first `taken` ever heard, as far as they
    // are kept; `taken` then counts them all.
    std::vector<net_chat> since(std::uint64_t& taken) const;
    // The match's lines, bounded by the players' line rate.
    const std::vector<recorded_chat>& match_lines() const { return in_match; }

private:
    std::deque<net_chat> heard;
    std::uint64_t heard_count = 0;
    std::vector<recorded_chat> in_match;
};

// The host's side of coming into a match under way: who may come in, to
// play or to watch, and the match so far it is sent. Packing the match
// costs the host, so no more than two a second are made, whoever asks. A
// player who finds no fighter free watches until the next match, as many of
// them as may watch. A value, on a clock the caller passes in.
#pragma once

#include <string>
#include <vector>

#include "net/net_roster.h"
#include "net/peer_limits.h"
#include "net/rollback.h"
#include "replay/replay_file.h"

class late_entry {
public:
    // The room a match under way has: its fighters, of which `in_match`
    // are humans', and the most players and watchers the host lets in.
    struct room {
        int in_match = 0;
        int fighters = 0;
        int most_players = 0;
        int most_watchers = 0;
    };

    // Why `hello` cannot come in now, or "" when it can, and whether it
    // plays at once (else it watches, a player until the next match).
    std::string why_not(const net_roster& roster, const net_hello& hello, const room& has, peer_clock::time_point at,
                        bool& plays);
    // The match so far as `past` holds it, and then whoever came in or left
    // after what it holds, as packets in the order they go; empty when the
    // match cannot be packed to send.
    static std::vector<std::string> catch_up(const replay_data& past, const rollback_match& match,
                                             const net_start& started);

private:
    line_rate packed;  // matches so far packed to send
};

// What one peer may cost the others. A host's port is open to anyone, so
// each joiner gets a byte allowance, its refused packets summed up on one
// line a second, a meter of how long it has held the match up, and a rate
// of chat lines.
// Pure values on a clock the caller passes in.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "net/net_roster.h"
#include "net/rollback.h"

using peer_clock = std::chrono::steady_clock;

// The bytes a peer may send us: `per_second` on average, up to a second's
// worth at once. An honest joiner sends about a tenth of it.
class intake_allowance {
public:
    static constexpr double per_second = 64 * 1024;

    void reset(peer_clock::time_point at);
    // A peer that keeps going beyond it this long is let go: what it sends
    // of worth is lost among the rest, and the others would wait for it.
    static constexpr std::chrono::seconds most_flooding{2};

    // Takes `size` bytes from the allowance; false, taking nothing, when it
    // is not there.
    bool take(std::size_t size, peer_clock::time_point at);
    // Sent beyond the allowance for `most_flooding`, never a second without.
    bool flooding() const { return over_since != peer_clock::time_point{} && over_last - over_since >= most_flooding; }

private:
    double left = per_second;
    peer_clock::time_point refilled{};
    peer_clock::time_point over_since{};
    peer_clock::time_point over_last{};
};

// Packets refused from one peer, summed up in at most one line a second, so
// that a flood cannot fill a disk.
class refusal_summary {
public:
    void add(const std::string& reason, peer_clock::time_point at);
    // The line for `who` once a second has passed since the first refusal
    // it sums up (or at once when `now_or_never`), else empty.
    std::string line_due(const std::string& who, peer_clock::time_point at, bool now_or_never = false);
    std::uint64_t total() const { return refused; }

private:
    int count = 0;
    std::string first_reason;
    peer_clock::time_point first_at{};
    std::uint64_t refused = 0;
};

// How long a joiner has held the match up: it builds while the match
// waits for it and is forgiven ten times slower, so that a joiner who holds
// the match up off and on is let go as surely as a silent one.
class hold_up_meter {
public:
    static constexpr double limit_seconds = 3;

    void reset(peer_clock::time_point at);
    // Since the last look the match was (or was not) waiting for this peer.
    // True once it has held the match up for the limit.
    bool look(bool holding_up, peer_clock::time_point at);
    double seconds() const { return held; }

private:
    double held = 0;
    peer_clock::time_point last{};
};

// Chat lines a player may say: `per_second` a second, and as many at once,
// so that what the host relays, and every peer keeps for the replay, grows
// no faster, while a player who keeps to it exactly is never refused for a
// line that came a little early.
class line_rate {
public:
    static constexpr int per_second = 2;

    // True, counting the line, when one more at `at` keeps to the rate.
    bool take(peer_clock::time_point at);

private:
    static constexpr peer_clock::duration each = std::chrono::milliseconds(1000) / per_second;
    static constexpr peer_clock::duration most_credit = each * per_second;

    // Time earns the credit lines spend, up to a second's worth.
    peer_clock::duration credit = most_credit;
    peer_clock::time_point earned_until{};
};

// Everything one joiner may cost the host, kept while it is connected.
struct peer_guard {
    intake_allowance allowance;
    refusal_summary refusals;
    hold_up_meter hold_up;
    line_rate said;   // its chat lines
    line_rate noted;  // the host's notes to it, so that refusals cost no more than lines

    void connected(peer_clock::time_point at)
    {
        *this = peer_guard();
        allowance.reset(at);
        hold_up.reset(at);
    }
    // What it may cost carries over to the next match; its lines start afresh.
    void next_match(peer_clock::time_point at)
    {
        hold_up.reset(at);
        said = line_rate();
        noted = line_rate();
    }
};

// Every joiner's guard, by peer, and the host's watch on the joiners that
// cost the others too much: the ones to let go, each with why.
class peer_guards {
public:
    // A joiner that has not said hello this long after connecting is let
    // go, so that silent connections cannot fill the host's places.
    static constexpr std::chrono::seconds hello_within{3};
    // A player come late that has not caught up this long after connecting
    // is let go, so that the fighters it keeps from others come free.
    static constexpr std::chrono::seconds ready_within{120};

    using let_go_list = std::vector<std::pair<int, std::string>>;

    peer_guard& operator[](int peer) { return by_peer[peer]; }
    // What each may cost carries over to the next match.
    void next_match(peer_clock::time_point at);
    // Packets refused from every peer so far.
    std::uint64_t refused() const;
    // Players whose controls stopped coming held every peer's match up:
    // after three seconds of it, whether or not their other packets still
    // come, a bot plays on. Look once a tick of the match.
    let_go_list held_up(const net_roster& roster, const rollback_match& match, peer_clock::time_point at);
    // Connections that never said hello, and players come late whom a bot's
    // fighter has waited for too long.
    static let_go_list overstayed(const net_roster& roster, peer_clock::time_point at);

private:
    peer_guard by_peer[net_roster::most_peers];
};

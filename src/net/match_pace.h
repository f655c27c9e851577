// When this peer steps its match: on guesses as a player does, skipping a
// tick now and then when it has run ahead of the others; only on what is
// known as a watcher does; and the input delay its readings wait, from the
// round trips to the others. It also notes how long the match has waited,
// and for whom.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "net/input_delay.h"
#include "net/net_roster.h"
#include "net/reading_relay.h"
#include "net/rollback.h"

class match_pace {
public:
    using clock = net_transport::clock;
    // A peer behind the others (a watcher, or a player come late) steps on
    // at most this long a frame to catch up.
    static constexpr std::chrono::milliseconds catch_up_budget{8};
    // After the match has waited this long, the screen says for whom.
    static constexpr std::chrono::milliseconds waiting_shown_after{500};

    // A new peer: no trip known.
    void forget(int peer) { trips[peer] = round_trip_meter(); }
    // The match is over: nothing of it counts for the next.
    void forget_the_match();
    // A new match starts at the fewest delay.
    void new_match() { delay_choice = input_delay_choice(); }

    // Reads this peer's controls, at the delay the furthest trip calls for
    // (a server or a watcher reads none).
    void read(rollback_match& match, const control_reading& local, const net_roster& roster, clock::time_point at);
    // `peer` has our readings up to `have_until` now: a trip back from when
    // the last of them was read.
    void note_trip(int peer, std::uint32_t have_until, const rollback_match& match, clock::time_point at);
    // A step, unless this peer has run ahead of the others: then it skips.
    bool step_or_skip(rollback_match& match, const net_roster& roster, const reading_relay& relay);
    // Steps on what is known, for as long as a frame allows: how many.
    int watch_steps(rollback_match& match);
    // A player come late has stepped through what it was sent, near enough
    // to the host's tick, so it may say it is ready to take a fighter.
    static bool stepped_through(const rollback_match& match, std::uint32_t host_tick);
    // Named a fighter behind the others, it steps on, reading its controls,
    // for as long as a frame allows, until it is at `target`: whether it is.
    bool catch_up(rollback_match& match, const control_reading& local, const net_roster& roster,
                  std::uint32_t target, const net_transport& clock_of);

    // After each tick's step: whether it waited for the others.
    void note_waiting(bool waits_now, clock::time_point at);
    void stop_waiting() { waiting = false; }
    // The slots waited for, once it has waited `waiting_shown_after`.
    std::vector<int> waiting_for(const rollback_match& match, int humans, clock::time_point at) const;
    // Ticks skipped to let slower peers catch up.
    std::uint32_t skipped() const { return skips; }

private:
    // The host goes by its furthest joiner, a joiner by the host; -1 while
    // nothing is known.
    double furthest_trip_ms(const net_roster& roster) const;
    bool ahead_of_others(const rollback_match& match, const net_roster& roster, const reading_relay& relay);

    input_delay_choice delay_choice;
    round_trip_meter trips[net_roster::most_peers];  // as our readings see it
    // When each of our readings was read, by tick modulo the size: the
    // round trips are measured from there.
    static constexpr std::size_t read_times_kept = 512;
    std::vector<clock::time_point> read_at = std::vector<clock::time_point>(read_times_kept);
    std::uint32_t skips = 0;
    int skip_rest = 0;  // ticks before the next look at who is ahead
    bool waiting = false;
    clock::time_point waiting_since{};
};

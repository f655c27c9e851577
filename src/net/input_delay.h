// How long a peer's own controls wait before they act, chosen from how far
// away the others are. Each tick of input delay is a tick less that the
// others must step again when the controls arrive, and a tick more that the
// player feels: two ticks on a local network, one more for every 50 ms of
// round trip, at most six. A round trip near a step's edge must not make the
// delay flap: it goes up as soon as the trip calls for it, comes down only
// once the trip is well below the step, and changes at most twice a second.
#pragma once

#include <array>
#include <cstdint>

#include "net/rollback.h"

// The round trip to one other peer, as the controls see it: from when one of
// our readings was read to when the other says it has it (so it holds both
// peers' ticks of waiting to send and to take). The median of the last
// samples, so that one late packet does not sway it.
class round_trip_meter {
public:
    void add(double ms);
    // -1 until there are enough samples to go by.
    double median_ms() const;

private:
    static constexpr std::size_t kept = 64;
    static constexpr std::size_t enough = 16;
    std::array<double, kept> samples{};
    std::size_t count = 0;
};

// The delay for a round trip of `round_trip_ms`, from the delay `now`.
std::uint32_t settled_input_delay(std::uint32_t now, double round_trip_ms);

class input_delay_choice {
public:
    // Called once a tick with the round trip to the furthest other peer
    // (below 0: not known yet); the delay for this tick.
    std::uint32_t next(double round_trip_ms);
    std::uint32_t ticks() const { return delay; }

private:
    std::uint32_t delay = rollback_match::fewest_delay;
    int since_change = 0;
};

// A hand on the controls that plays at random, from a generator of its own
// so that the match's random numbers are not touched: it walks, jumps, aims,
// fires and throws grenades, each held for a while as a person would.
#pragma once

#include <cstdint>

#include "match/control.h"

class random_hand {
public:
    explicit random_hand(std::uint32_t seed) : state(seed * 2654435761u + 1) {}
    control_reading next();

private:
    std::uint32_t draw(std::uint32_t below);

    std::uint32_t state;
    control_reading held;
    int hold_ticks = 0;
};

// How each fighter last died: who struck and with what. Written as a fighter
// dies and read only by the kill feed after the step; no step reads it, so
// neither the match hash nor the snapshots hold it.
#pragma once

#include <cstdint>

#include "match/match_shape.h"

// What a killing blow came from: the gun types 0..3, then these.
const int blow_grenade = 4;
const int blow_fall = 5;

struct last_blow {
    int attacker = -1;  // -1 for nobody
    int cause = blow_fall;
};

extern last_blow last_blows[max_players];

// A death as a step of the match brought it, after `tick` steps.
struct kill_event {
    std::uint32_t tick = 0;
    int killer = -1;  // -1 for nobody
    int cause = blow_fall;
    int victim = 0;
};

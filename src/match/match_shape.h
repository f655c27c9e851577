// The shape every match has: how many fighters it holds and how fast it
// steps. The slot arrays, the limits of the packets and the replays, and
// every clock shown to a player follow from these two.
#pragma once

#include <chrono>
#include <cstdint>

// Fighters in a match, humans and bots together, in slots 0 up to one less.
const int max_players = 11;

// A match steps this many ticks a second, whatever the frame rate.
const std::uint32_t ticks_a_second = 100;
const std::uint32_t ticks_a_minute = 60 * ticks_a_second;
// The pace of the loops that step a match in real time.
constexpr std::chrono::milliseconds tick_time{1000 / ticks_a_second};

// One number for the whole state of a running match: FNV-1a (64-bit) over
// the exact bits of every value a step reads or changes, in a fixed order
// and independent of the machine's byte order. Two runs in the same state
// give the same hash; replay checkpoints and network peers compare it.
//
// Free pool slots and blood drops count only as free: what their last
// occupant left there never matters again. Where the screen looks (the
// map's scroll) is left out too: peers of a network match each look from
// their own fighter, and a step sets the scroll before any human aims.
#pragma once

#include <cstdint>

std::uint64_t match_hash();

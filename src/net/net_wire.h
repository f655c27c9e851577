// The layout of a packet, shared by its writer (net_messages.cpp) and its
// checking reader (net_messages_read.cpp).
//
// After the four header bytes, by kind:
//   hello   the joiner: hair, shirt and pants, a byte each, the name (a
//           length and its bytes) and whether it only watches (byte, 0 or 1)
//   lobby   the joiner's slot (byte; 255 for a watcher), the humans (a
//           count, then each one as in a hello without the last byte), the
//           map name (a length and its bytes), the bots (varint), the skill
//           (byte), the rules and whether slot 0 is the host's (byte, 0 or 1)
//   start   the seed (u32), the skill (byte), the bots (varint), the rules, the humans,
//           the map name, the map text's length unpacked and packed (two
//           varints) and its zlib stream
//   inputs  the sender's tick, the eleven have-until ticks, the number of
//           slot entries, then each entry: the slot (byte), the first tick,
//           the number of readings and the readings
//   hash    the tick and the hash (u64)
//   leave   the slot (byte) and the tick
//   bye     the reason (a length and its bytes); the header and the bye
//           stay so in every version
//   chat    the slot (byte: 0..10, or 255 for a note), the tick and the
//           text (a length and its bytes)
//   catch-up  a replay file (a length and its bytes)
// The rules are the score limit and the time limit, two varints.
// A reading is the keys (u16), the buttons (byte), the pointer's x and y
// (zigzag varints) and the scale's x and y (f32).
#pragma once

#include <cstddef>
#include <cstdint>

namespace net_wire {

const std::uint8_t magic[2] = {'Z', 'K'};
const std::size_t header_size = 4;

// The fewest bytes a reading and a slot entry of an inputs message take.
const std::size_t smallest_reading = 2 + 1 + 1 + 1 + 4 + 4;
const std::size_t smallest_slot_entry = 1 + 1 + 1 + smallest_reading;
// The fewest bytes a human takes: the colours and a one-letter name.
const std::size_t smallest_human = 3 + 1 + 1;

}  // namespace net_wire

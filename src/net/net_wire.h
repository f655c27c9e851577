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
//   inputs  the sender's tick; the slots it tells the have-until tick of,
//           as a mask (varint, a bit a slot), and each of those ticks as a
//           step from the sender's (zigzag); the number of slot entries,
//           then each entry: its head byte, the first tick as a step from
//           the sender's (zigzag), the scale (two f32) if the head says so,
//           and the runs (codec/input_runs.h)
//   hash    the tick and the hash (u64)
//   leave   the slot (byte) and the tick
//   bye     the reason (a length and its bytes); the header and the bye
//           stay so in every version
//   chat    the slot (byte: 0..10, or 255 for a note), the tick and the
//           text (a length and its bytes)
//   catch-up  a replay file (a length and its bytes)
// The rules are the score limit and the time limit, two varints.
// An entry's head byte holds its slot in the low four bits, whether the
// scale follows in the next, and its number of runs in the high three when
// that is 1..7; when they are 0, the number follows the first tick as a
// varint.
#pragma once

#include <cstddef>
#include <cstdint>

namespace net_wire {

const std::uint8_t magic[2] = {'Z', 'K'};
const std::size_t header_size = 4;

const std::uint8_t entry_slot = 0x0f;
const std::uint8_t entry_scale_told = 1 << 4;
const int entry_runs_shift = 5;
const std::size_t most_runs_in_head = 7;
// The fewest bytes a run and a slot entry of an inputs message take.
const std::size_t smallest_run = 1;
const std::size_t smallest_slot_entry = 1 + 1 + smallest_run;
// The fewest bytes a human takes: the colours and a one-letter name.
const std::size_t smallest_human = 3 + 1 + 1;

}  // namespace net_wire

// A human's controls packed as runs, as replay files and the network's
// packets both carry them. A run is one flags byte, then only what changed
// from the run before: the keys and the buttons as varints, the pointer's x
// and y as moves (zigzag varints). The flags' high half holds the run's
// length when it is 1..15; when it is 0, the length follows as a varint. The
// scale is not in a run: each carrier says it once for many runs.
//
// Reading a run is checked_reader::read_run; what it changed is made good
// against the run before with follow_run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec/byte_codec.h"
#include "match/control.h"

// A stretch of ticks on which one human's controls read the same.
struct input_run {
    control_reading reading;
    std::uint32_t ticks = 0;

    bool operator==(const input_run& other) const
    {
        return reading == other.reading && ticks == other.ticks;
    }
};

namespace run_flags {

const std::uint8_t keys_changed = 1 << 0;
const std::uint8_t buttons_changed = 1 << 1;
const std::uint8_t pointer_x_moved = 1 << 2;
const std::uint8_t pointer_y_moved = 1 << 3;
const std::uint8_t changes = 0x0f;
const int length_shift = 4;
const std::uint32_t longest_in_flags = 15;

}  // namespace run_flags

// A run as the bytes hold it: which parts changed, their new values or moves,
// and how many ticks it lasts.
struct run_change {
    std::uint8_t changed = 0;  // run_flags' low half
    std::uint16_t keys = 0;
    std::uint8_t buttons = 0;
    std::int64_t move_x = 0;
    std::int64_t move_y = 0;
    std::uint32_t ticks = 0;

    bool operator==(const run_change& other) const;
};

// What `run` changes from the reading `before`.
run_change change_from(const control_reading& before, const input_run& run);
void write_run(byte_writer& out, const run_change& change);
// `before` with `change` made on it (its scale kept). False, with the reason,
// when the pointer goes beyond max_pointer_reach.
bool follow_run(const control_reading& before, const run_change& change, input_run& after, std::string& reason);

// Appends one tick's reading, lengthening the last run when it reads the same.
void add_reading(std::vector<input_run>& runs, const control_reading& reading);

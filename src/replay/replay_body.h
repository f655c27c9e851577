// The layout of a replay's body, shared by its writer (replay_file.cpp) and
// its checking reader (replay_body_read.cpp).
//
// In order: the seed (u32), the skill, the bots, the number of humans, the
// map's name and text (each a length and its bytes), the ticks, the
// checkpoints (a count, then each tick as the step from the one before and
// the hash as a u64), then each human: hair, shirt and pants, the name (a
// length and its bytes; not in version 1), the scale
// (two f32), the tick its controls start (from version 4), the number of
// runs and the runs. From version 3, after the
// humans: the score limit and the time limit, the number of chat lines, then
// each line: its tick as the step from the one before, the speaker's slot
// and the text (a length and its bytes). Counts, lengths and ticks are
// varints; the pointer's moves zigzag varints.
//
// The runs are packed as codec/input_runs.h says; a human's first run
// follows an idle reading at 0, 0.
#pragma once

#include <cstdint>
#include <string>

#include "match/match_shape.h"
#include "replay/replay_file.h"

// Every match has a human at least.
const int max_replay_bots = max_players - 1;

// Reads an unpacked body of format `version`, checking every value; false
// with the reason.
bool read_replay_body(const std::string& body, std::uint32_t version, replay_data& out, std::string& error);

// Replay files: what makes a match repeat (the seed, the map's whole text,
// the settings that shape it) and what every human's controls read, tick by
// tick, run-length packed, with the match state's hash at checkpoints.
//
// On disk: the eight bytes "ZK3RPLAY", the format version and the length of
// the packed body (each four bytes, little-endian), then the body,
// compressed with zlib. The reader checks every value against the game's
// limits and refuses anything else with a reason; it never trusts a count.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec/input_runs.h"
#include "match/control.h"
#include "match/match_setup.h"
#include "match/match_shape.h"

// Version 2 gave the humans their names; files of version 1 still play, their
// humans named "PLAYER 1" upward. Version 3 added the match's rules and its
// chat; older files have neither. Version 4 added the tick each human came
// in; in older files every human began the match.
const std::uint32_t replay_format_version = 4;
const std::uint32_t oldest_replay_format_version = 1;

// A human's controls through the match; who they are is the set-up's.
struct recorded_human {
    float scale_x = 1;          // every reading's scale (it cannot change in a match)
    float scale_y = 1;
    // The tick this human's controls start: 0 for those who began the match;
    // a player who came into a network match late took over a bot's fighter
    // here. Such humans follow those who began, in the order they came.
    std::uint32_t first_tick = 0;
    // From first_tick. A human whose runs end before the match's last tick
    // left the match there.
    std::vector<input_run> runs;

    // Appends one tick's reading, lengthening the last run when it is the same.
    void add(const control_reading& reading);
    // The ticks of the runs, from first_tick on.
    std::uint32_t tick_count() const;

    bool operator==(const recorded_human& other) const;
};

// The match state's hash after `tick` steps.
struct replay_checkpoint {
    std::uint32_t tick = 0;
    std::uint64_t hash = 0;

    bool operator==(const replay_checkpoint& other) const
    {
        return tick == other.tick && hash == other.hash;
    }
};

// A line said in a network match, shown from `tick` on.
struct recorded_chat {
    std::uint32_t tick = 0;  // at most the replay's ticks; no line before the one above it
    int slot = 0;            // a human's
    std::string text;        // is_chat_text

    bool operator==(const recorded_chat& other) const
    {
        return tick == other.tick && slot == other.slot && text == other.text;
    }
};

struct replay_data {
    // The match as it began, with every human in it: those who came in late
    // too, after those who began.
    match_setup setup;
    std::uint32_t ticks = 0;  // steps the match ran
    // Each of the set-up's humans' controls, in the same order.
    std::vector<recorded_human> humans;
    std::vector<replay_checkpoint> checkpoints;  // ascending ticks
    std::vector<recorded_chat> chat;  // ascending ticks

    bool operator==(const replay_data& other) const;
};

// The humans who began the match: slots 0 upward, before any who came late.
int starting_humans(const replay_data& replay);
// The set-up as the match's start told it: without the humans who came late.
match_setup start_of(const replay_data& replay);

// Limits the reader holds a file to.
const std::uint32_t max_replay_ticks = ticks_a_minute * 60 * 24;  // a day of play
// Ten minutes of play pack into well under 100 KB; this is days of it.
const std::size_t max_replay_body = 16u << 20;

// The whole file as bytes; empty when zlib cannot pack the body.
std::string pack_replay(const replay_data& replay);
// Reads a whole file's bytes. False, with the reason in `error`, when they
// are not a replay of a version this game reads or any value is out of
// range; `out` is then unspecified.
bool unpack_replay(const std::string& bytes, replay_data& out, std::string& error);
// pack_replay's two halves, for the tests and the fuzzer that reach behind
// the compression: the body as it is before, and the file that holds a body.
// An older `version` writes the files older games wrote, for the tests and
// the fuzzer's seeds that make sure those still play.
std::string pack_replay_body(const replay_data& replay, std::uint32_t version = replay_format_version);
std::string wrap_replay_body(const std::string& body, std::uint32_t version = replay_format_version);

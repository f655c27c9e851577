// Plays a replay through the match's own step: sets up the match as it was
// (map, settings, seed), then supplies each tick's recorded controls and
// checks the state against the replay's checkpoints as it passes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "match/match_setup.h"
#include "replay/replay_file.h"

class replay_player {
public:
    // Starts the match as the replay's set-up was. False, with the reason
    // in `error`, when the replay's map cannot be played.
    bool start(const replay_data& new_replay, std::string& error);
    // Steps the match once on the next tick's controls; false at the end.
    bool step();
    // Gives the options and the devices back; the match stays as it ended.
    void stop();

    bool finished() const { return tick >= replay.ticks; }
    std::uint32_t get_tick() const { return tick; }
    std::uint32_t get_ticks() const { return replay.ticks; }
    int checkpoints_passed() const { return static_cast<int>(next_checkpoint); }
    // The first checkpoint tick whose hash differed, or -1.
    long get_mismatch() const { return mismatch; }

private:
    void check_checkpoint();

    replay_data replay;
    match_starter starter;
    std::size_t run[11] = {};
    std::uint32_t left_in_run[11] = {};
    bool has_left[11] = {};
    std::uint32_t tick = 0;
    std::size_t next_checkpoint = 0;
    long mismatch = -1;
};

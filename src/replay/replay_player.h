// Plays a replay through the match's own step: sets up the match as it was
// (map, settings, seed), then supplies each tick's recorded controls and
// checks the state against the replay's checkpoints as it passes them. A
// human who came in late takes over its bot's fighter at its first tick.
//
// What happened in the match is kept as far as any step reached, whatever
// seeks came between.
//
// It seeks too: it keeps a snapshot of the match every so many ticks as any
// step passes them, so that going back is a restore and a few steps. Going
// past what was ever played steps on, muted; scout() plays ahead in the
// background so that a later seek forward is as short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "match/match_events.h"
#include "match/match_setup.h"
#include "match/match_shape.h"
#include "match/match_snapshot.h"
#include "replay/replay_file.h"

class replay_player {
public:
    // A snapshot every 10 s of play at first; when `max_kept` are held, every
    // other one goes and the spacing doubles, so a long replay stays bounded.
    static constexpr std::uint32_t first_spacing = 1000;
    static constexpr std::size_t max_kept = 64;

    // Starts the match as the replay's set-up was. False, with the reason
    // in `error`, when the replay's map cannot be played.
    bool start(const replay_data& new_replay, std::string& error);
    // Steps the match once on the next tick's controls; false at the end.
    bool step();
    // Puts the match in its state after `target` ticks (the end at most).
    void seek(std::uint32_t target);
    // Plays up to `steps` ticks ahead of the furthest tick reached, muted,
    // keeping snapshots on the way; the watched match comes back as it was.
    void scout(int steps);
    // Gives the options and the devices back; the match stays as it ended.
    void stop();

    bool finished() const { return tick >= replay.ticks; }
    std::uint32_t get_tick() const { return tick; }
    std::uint32_t get_ticks() const { return replay.ticks; }
    const replay_data& get_replay() const { return replay; }
    // The furthest tick any step has reached: seeks up to it are short.
    std::uint32_t get_reached() const { return reached; }
    // What happened up to the furthest tick reached.
    const match_events& get_events() const { return events; }
    std::size_t get_kept() const { return kept.size(); }
    int checkpoints_passed() const { return static_cast<int>(next_checkpoint); }
    // The first checkpoint tick whose hash differed, or -1.
    long get_mismatch() const { return mismatch; }

private:
    struct kept_state {
        std::uint32_t tick = 0;
        std::unique_ptr<match_snapshot> snapshot;
    };

    void check_checkpoint();
    void keep_snapshot();
    // The controls' places and the next checkpoint, found afresh for `tick`.
    void place_at_tick();
    void restore(const match_snapshot& snapshot, std::uint32_t at);
    void step_muted_to(std::uint32_t target);

    replay_data replay;
    match_starter starter;
    std::size_t run[max_players] = {};
    std::uint32_t left_in_run[max_players] = {};
    bool has_left[max_players] = {};
    std::uint32_t tick = 0;
    std::uint32_t reached = 0;
    std::size_t next_checkpoint = 0;
    long mismatch = -1;
    match_events events;
    std::vector<kept_state> kept;  // ascending ticks, one every `spacing` up to `reached`
    std::uint32_t spacing = first_spacing;
    // The scout's match, at the furthest tick reached.
    match_snapshot ahead;
    bool ahead_valid = false;
    match_snapshot watched;  // the watched match while the scout plays
};

// Records a match as it is played, for its replay file: what makes it repeat
// (the seed, the map's text, the settings), every tick's human controls, and
// the match state's hash every 1000 ticks and at the end.
#pragma once

#include <cstdint>

#include "match/match_setup.h"
#include "replay/match_past.h"
#include "replay/replay_file.h"

// It is the menu's match's past too: every step's controls and the state now.
class match_recorder final : public match_past {
public:
    static constexpr std::uint32_t checkpoint_ticks = 1000;

    // Begins the recording of a match about to start from `setup`, whose
    // one human is on this display.
    void start(const match_setup& setup);
    // After each step: what the human's controls read on it.
    void step_taken(const control_reading& reading);
    // The recording so far, with a checkpoint at its last tick.
    const replay_data& finish();

    std::uint32_t get_tick() const override { return replay.ticks; }
    // Only the state now: a match on one display has no news to wait for.
    bool final_state(std::uint32_t at, match_snapshot& into, match_snapshot& scratch) const override;
    void apply_controls(std::uint32_t at) const override;

private:
    void checkpoint();

    replay_data replay;
};

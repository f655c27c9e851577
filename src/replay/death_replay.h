// How the shown fighter died, seen again: the last three seconds before the
// death (and a moment after) played again at a quarter of the speed on a
// copy of the match, swapped in for its own steps and frames. The live match
// is left as it is: the menu's match holds still meanwhile, a network match
// goes on underneath.
//
// A final state of the live match is kept every 100 steps; when the match's
// events tell the shown fighter died, the one before the three seconds is
// set aside until its next life, so that the showing may start late.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

#include "match/match_events.h"
#include "match/match_shape.h"
#include "match/match_snapshot.h"
#include "replay/match_past.h"

// What the screen says of it: "REPLAY" and how to go back while it shows,
// or that F shows it while it is offered.
void draw_death_replay_text(bool showing, bool offered);

class death_replay {
public:
    static constexpr std::uint32_t ticks_before_death = 3 * ticks_a_second;
    static constexpr std::uint32_t ticks_after_death = 50;
    static constexpr int slowdown = 4;  // timer ticks per step
    static constexpr std::uint32_t snapshot_every = 100;

    // At the start of a match.
    void reset();
    // At the start and after every live step: keeps the states to come back
    // to and takes the shown fighter's death from what happened in the
    // live match, `events`.
    void watch(const match_past& past, const match_events& events);

    // The shown fighter is dead and its death can be shown.
    bool available() const { return have_death && !showing; }
    bool running() const { return showing; }
    // Makes the copy, quickly and silently up to the three seconds.
    void begin(const match_past& past);
    // One timer tick: a step of the copy every `slowdown` ticks. It ends by
    // itself a moment after the death.
    void update(const match_past& past);
    // A frame with `draw_frame`: of the copy while showing, else of the live
    // match.
    void draw(const std::function<void()>& draw_frame);
    void end() { showing = false; }

private:
    struct kept_state {
        std::uint32_t tick;
        match_snapshot state;
    };

    void keep_final_state(const match_past& past);
    void set_death_aside(std::uint32_t new_death_tick);
    void step_copy(const match_past& past);
    // Runs `work` with the copy in place of the live match.
    void on_copy(const std::function<void()>& work);

    std::deque<kept_state> kept;  // the newest few
    std::uint32_t next_keep = 0;
    match_snapshot incoming;  // the next state to keep
    // The tick of the last death taken: a going back that steps it again
    // brings it on the same tick, not as another.
    std::uint32_t death_taken = 0;

    // The death set aside: the state to start from and its tick, and the
    // step the showing starts on.
    bool have_death = false;
    std::uint32_t death_tick = 0;
    std::uint32_t from_tick = 0;
    std::uint32_t start_tick = 0;
    match_snapshot start_state;

    // While showing.
    bool showing = false;
    match_snapshot copy;
    match_snapshot live;  // the live match while the copy is in its place
    std::uint32_t tick = 0;
    std::uint32_t last_tick = 0;
    int wait = 0;
};

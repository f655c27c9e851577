// How the human died, seen again: the last three seconds before the death
// (and a moment after) played again at a quarter of the speed, from a
// snapshot taken before them, with the live match held still meanwhile and
// given back exactly as it was held.
//
// The live match keeps a snapshot every 100 ticks and the human's recent
// controls; when the human dies, the snapshot before the three seconds and
// the controls since are set aside until the next life.
#pragma once

#include <cstdint>
#include <deque>

#include "match/control.h"
#include "replay/match_snapshot.h"

// What the screen says of it: "REPLAY" and how to go back while it shows,
// or that F shows it while it is offered.
void draw_death_replay_text(bool showing, bool offered);

class death_replay {
public:
    static constexpr std::uint32_t ticks_before_death = 300;
    static constexpr std::uint32_t ticks_after_death = 50;
    static constexpr int slowdown = 4;  // timer ticks per step
    static constexpr std::uint32_t snapshot_every = 100;

    // At the start of a match.
    void reset();
    // Around each live step: `tick` counts the steps taken before it, and
    // `reading` is what the human's controls read on it.
    void before_step(std::uint32_t tick);
    void after_step(std::uint32_t tick, const control_reading& reading);

    // The human is dead and the death can be shown.
    bool available() const;
    bool running() const { return showing; }
    // Holds the live match and rewinds to the snapshot before the death.
    void begin(std::uint32_t live_tick);
    // One timer tick of the showing: a step every `slowdown` ticks. It ends
    // by itself a moment after the death.
    void update();
    // Gives the held match back.
    void end();

private:
    struct kept_snapshot {
        std::uint32_t tick;
        match_snapshot state;
    };
    struct kept_reading {
        std::uint32_t tick;  // the step it was read on, counted from 0
        control_reading reading;
    };

    void set_death_aside(std::uint32_t death_tick);

    std::deque<kept_snapshot> snapshots;  // the newest few
    std::deque<kept_reading> readings;    // the newest few hundred
    bool was_alive = false;

    // The death set aside: where to start, and the controls from there on.
    bool have_death = false;
    std::uint32_t start_tick = 0;
    std::uint32_t end_tick = 0;
    std::uint32_t death_tick = 0;
    match_snapshot start_state;
    std::deque<kept_reading> death_readings;

    // While showing.
    bool showing = false;
    match_snapshot held;
    std::uint32_t tick = 0;
    std::size_t next_reading = 0;
    int wait = 0;
};

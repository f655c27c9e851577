// How the local human died, seen again in a network match. The match cannot
// be held still while the others play on, so the last three seconds before
// the death (and a moment after) play again at a quarter of the speed on a
// copy of the match, swapped in for its own steps and frames, while the
// live match goes on underneath.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

#include "net/rollback.h"
#include "replay/match_snapshot.h"

class net_death_replay {
public:
    static constexpr std::uint32_t ticks_before_death = 300;
    static constexpr std::uint32_t ticks_after_death = 50;
    static constexpr int slowdown = 4;
    static constexpr std::uint32_t keep_every = 100;

    // After every tick of the session: keeps a final snapshot every 100
    // ticks, and notes the local fighter's death.
    void watch(const rollback_match& match);
    bool available() const;
    bool running() const { return showing; }
    void begin(const rollback_match& match);
    // One timer tick: a step of the copy every `slowdown` ticks; it ends by
    // itself a moment after the death.
    void update(const rollback_match& match);
    // Draws a frame of the copy with `draw_frame`, the live match kept aside.
    void draw(const std::function<void()>& draw_frame);
    void end() { showing = false; }

private:
    struct kept_state {
        std::uint32_t tick;
        match_snapshot state;
    };

    // Runs `work` with the copy in place of the live match.
    void on_copy(const std::function<void()>& work);

    std::deque<kept_state> kept;
    std::uint32_t next_keep = 0;
    bool was_alive = false;
    bool have_death = false;
    std::uint32_t death_tick = 0;

    bool showing = false;
    match_snapshot incoming;  // the next state to keep
    match_snapshot copy;
    match_snapshot live;
    std::uint32_t tick = 0;
    std::uint32_t last_tick = 0;
    int wait = 0;
};

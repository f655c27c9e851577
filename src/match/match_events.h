// What happened in a match, in the order it happened: every death (who died,
// who struck and with what), and every human who came in for a bot or left
// one to a bot. The step records a death where the fighter dies; whoever
// steps the match records the comings and goings it applies. Each event
// carries the steps taken once it had happened, so that going back forgets
// exactly what the later steps brought and stepping on again brings it back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fighters/last_blow.h"

struct match_event {
    enum class kind : std::uint8_t { death, entry, leave };

    kind what = kind::death;
    std::uint32_t tick = 0;  // the steps taken once it had happened
    int slot = 0;            // who died, came in or left
    int killer = -1;         // a death's striker: -1 for nobody
    int cause = blow_fall;   // a death's blow: a gun type, blow_grenade or blow_fall

    bool operator==(const match_event& other) const
    {
        return what == other.what && tick == other.tick && slot == other.slot && killer == other.killer &&
               cause == other.cause;
    }
};

class match_events {
public:
    // A new match: nothing has happened, no step is taken.
    void clear();
    // What happens in the step being taken.
    void death(int victim, int killer, int cause);
    void entry(int slot);
    void leave(int slot);
    void step_taken() { steps++; }
    std::uint32_t get_steps() const { return steps; }
    // Back to the match after `tick` steps: what later steps brought goes.
    void go_back(std::uint32_t tick);

    const std::vector<match_event>& all() const { return events; }
    // How many had happened after `tick` steps: the first so many.
    std::size_t count_by(std::uint32_t tick) const;

private:
    void add(match_event::kind what, int slot, int killer, int cause);

    std::vector<match_event> events;  // in tick order
    std::uint32_t steps = 0;
};

// The live match's past as its owner keeps it, for playing a stretch of it
// again: the menu's match through its recording, a network match through its
// rollback.
#pragma once

#include <cstdint>

class match_snapshot;

class match_past {
public:
    // The steps the live match has taken.
    virtual std::uint32_t get_tick() const = 0;
    // Copies into `into` the state before step `at` once no news can change
    // it, `scratch` used on the way; false while it cannot be had, or no
    // longer can. The live match stays as it is.
    virtual bool final_state(std::uint32_t at, match_snapshot& into, match_snapshot& scratch) const = 0;
    // Sets every human's controls for stepping `at` as they read then.
    virtual void apply_controls(std::uint32_t at) const = 0;

protected:
    ~match_past() = default;
};

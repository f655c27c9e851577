// Keeps one peer's copy of a network match in step with the others. Every
// peer steps the same match on every human's controls. A peer's own
// controls act its input delay's ticks after they are read; another's that
// have not arrived yet are guessed to be as its last known reading. When a
// reading arrives that differs from the guess a step was made on, the match
// goes back to the snapshot taken before that step and steps forward again.
// It guesses no further ahead than this machine can step again in a frame.
//
// The steps run on the game's one match (`game` and its pools): a peer owns
// it while it advances.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "match/control.h"
#include "match/match_events.h"
#include "match/match_rules.h"
#include "match/match_snapshot.h"
#include "replay/match_past.h"

class rollback_match final : public match_past {
public:
    // A peer's own controls act this many ticks after they are read: the
    // fewest at the start, and up to the most as the session finds the
    // others further away.
    static constexpr std::uint32_t fewest_delay = 2;
    static constexpr std::uint32_t most_delay = 6;
    // The most ticks stepped on guesses before a peer waits for the others,
    // and the fewest however slow its steps: a local network's trip.
    static constexpr std::uint32_t most_ahead = 40;
    static constexpr std::uint32_t fewest_ahead = 8;
    // Going back and stepping forward again fits in this much of a 10 ms
    // frame, with room for the frame's own step and drawing.
    static constexpr double redo_budget_us = 8000;
    static constexpr std::uint32_t hash_every = 100;
    static constexpr std::uint32_t never = 0xffffffffu;

    // After game.start(lineup): `humans` take slots 0.. and this peer plays
    // `local_slot` (-1 for none: a server or a watcher). Every human's first
    // `fewest_delay` ticks read idle.
    void start(int humans, int local_slot);

    // The local controls read now; they act on the tick the input delay
    // ahead. One reading a tick, but as the delay grows the reading is
    // repeated, and as it shrinks a tick reads none, so that the others see
    // one reading a tick as ever.
    void add_local(const control_reading& reading);
    // From the next reading on (fewest_delay..most_delay).
    void set_input_delay(std::uint32_t ticks);
    std::uint32_t get_input_delay() const { return delay; }
    // The tick on which this peer read its own reading for tick `at`; the
    // idle ones every peer starts with count as read before tick 0.
    std::int64_t read_on(std::uint32_t at) const;
    // A reading of a human slot for a tick, as the network brought it.
    // Readings already known are passed over; one beyond a gap is dropped
    // (the sender sends it again).
    void add_remote(int slot, std::uint32_t tick, const control_reading& reading);
    // `slot` is a bot from `tick` on.
    void leave(int slot, std::uint32_t tick);
    // A player who came late takes over the bot's fighter in `slot` from
    // `tick` on, wearing `look` (hair, shirt, pants): always the first slot
    // after the humans so far. This peer plays it when `local`. False when
    // the slot is not that one, or `tick` is further back than this peer
    // can go.
    bool enter(int slot, std::uint32_t tick, const int look[3], bool local);
    // The tick a human's controls start: 0 unless it came late.
    std::uint32_t entered_at(int slot) const { return entries[slot]; }
    int human_count() const { return humans; }

    // Steps one tick, first going back if a guess proved wrong. False when
    // it is too far ahead of what is known and must wait for the others, or
    // has reached the last tick.
    bool advance();
    // Steps up to `most` ticks on known readings only, never guessing, so
    // never going back: a watcher's way. How many it stepped.
    int advance_known(int most);
    // The match stops after `last` ticks (the headless peers' end).
    void set_end(std::uint32_t last) { end = last; }
    // The score or time that ends the match; after start. A match that
    // reaches it steps no further, unless going back shows it did not.
    void set_rules(const match_rules& new_rules) { rules = new_rules; }
    // The end and its tick once every reading before it is known and no
    // step before it is to be redone: the same on every peer.
    bool final_result(match_result& result, std::uint32_t& at) const;

    std::uint32_t get_tick() const override { return tick; }
    // Every human's reading is known for the ticks below this one.
    std::uint32_t confirmed() const;
    // The readings known for a slot: one per tick from tick 0.
    const std::vector<control_reading>& known(int slot) const { return readings[slot]; }
    std::uint32_t left_at(int slot) const { return leaves[slot]; }
    // The match cannot step on until more of this human's readings come.
    bool waits_for(int slot) const;
    int get_local_slot() const { return local_slot; }

    // The hash of the match after `at` ticks (a multiple of hash_every, or
    // the tick it ended after) once
    // every reading before it is known and no step before it is to be redone.
    bool final_hash(std::uint32_t at, std::uint64_t& hash) const;

    // Sets every human's controls for stepping tick `at` as this peer knows
    // or guesses them, and makes a human who left by then a bot's.
    void apply_controls(std::uint32_t at) const override { apply_controls(at, nullptr); }
    void apply_controls(std::uint32_t at, std::vector<control_reading>* used_now) const;
    // Copies into `into` the state before tick `at` once it is final (as
    // final_hash), if it is still kept; the live match stays as it is.
    bool final_state(std::uint32_t at, match_snapshot& into, match_snapshot& scratch) const override;

    // What happened in the steps so far; what had happened by final_tick()
    // stands, whatever comes.
    const match_events& get_events() const { return events; }
    std::uint32_t final_tick() const;
    // How far this peer guesses ahead before it waits: the ticks it can
    // step again within redo_budget_us at `step_us` a tick, within
    // fewest_ahead..most_ahead.
    static std::uint32_t lookahead_for(double step_us);
    std::uint32_t lookahead() const { return lookahead_for(step_cost_us); }
    // What a tick has cost lately in this thread's own time, going back
    // included, in microseconds.
    double get_step_cost_us() const { return step_cost_us; }

    // What the going back cost, for the figures.
    std::uint64_t get_ticks_redone() const { return ticks_redone; }
    std::uint32_t get_deepest() const { return deepest; }
    std::uint32_t get_rollbacks() const { return rollbacks; }
    // The longest a step took with its going back, in microseconds: on the
    // clock, and in this thread's own time (what another process took from
    // it left out).
    double get_worst_step_us() const { return worst_step_us; }
    double get_worst_step_cpu_us() const { return worst_step_cpu_us; }
    // Ticks it waited for the others, too far ahead of what it knew.
    std::uint32_t get_waits() const { return waits; }

private:
    static constexpr std::uint32_t window = most_ahead + 1;

    bool step_and_redo();
    // A going back to `from` forgets an end stepped after it.
    void forget_end_after(std::uint32_t from);
    void step_tick(std::uint32_t at);
    // The humans who come in or leave on tick `at`, into the events.
    void record_comings_and_goings(std::uint32_t at);
    control_reading reading_at(int slot, std::uint32_t at) const;

    int humans = 1;
    int local_slot = 0;
    std::uint32_t delay = fewest_delay;
    // Each change of how far ahead of its tick an own reading was read: the
    // first reading it holds for.
    struct delay_change {
        std::uint32_t from;
        std::uint32_t ticks;
    };
    std::vector<delay_change> delays;
    std::uint32_t tick = 0;
    std::uint32_t redo_from = never;  // the earliest step a wrong guess spoiled
    std::uint32_t end = never;
    match_rules rules;
    // The tick the match ended after, as stepped so far, and how.
    std::uint32_t ended_at = never;
    match_result ending;
    std::vector<control_reading> readings[max_players];
    std::uint32_t leaves[max_players] = {};
    std::uint32_t entries[max_players] = {};
    int looks[max_players][3] = {};
    // Before stepping tick t: the state in states[t % window], the readings
    // used in used[t % window].
    std::vector<match_snapshot> states;
    std::vector<std::vector<control_reading>> used;
    std::map<std::uint32_t, std::uint64_t> hashes;  // after t ticks
    match_events events;
    std::uint64_t ticks_redone = 0;
    std::uint32_t deepest = 0;
    std::uint32_t rollbacks = 0;
    std::uint32_t waits = 0;
    double worst_step_us = 0;
    double worst_step_cpu_us = 0;
    double step_cost_us = 0;
};

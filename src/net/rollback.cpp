#include "net/rollback.h"

#include <algorithm>
#include <chrono>

#include "app/sound.h"
#include "fighters/cplayer.h"
#include "match/cgame.h"
#include "match/match_hash.h"

void rollback_match::start(int new_humans, int new_local_slot)
{
    humans = std::clamp(new_humans, 1, control_slots);
    local_slot = new_local_slot;
    tick = 0;
    redo_from = never;
    end = never;
    rules = match_rules();
    ended_at = never;
    for (int slot = 0; slot < control_slots; slot++) {
        readings[slot].assign(slot < humans ? input_delay : 0, control_reading{});
        leaves[slot] = never;
    }
    states.resize(window);
    used.assign(window, std::vector<control_reading>(control_slots));
    hashes.clear();
    kills.clear();
    ticks_redone = 0;
    deepest = 0;
    rollbacks = 0;
    waits = 0;
    worst_step_us = 0;
}

void rollback_match::add_local(const control_reading& reading)
{
    // One reading a step: a peer that waits reads no further ahead.
    if (local_slot < 0)
        return;
    if (readings[local_slot].size() <= tick + input_delay)
        readings[local_slot].push_back(reading);
}

void rollback_match::add_remote(int slot, std::uint32_t at, const control_reading& reading)
{
    if (slot < 0 || slot >= humans || slot == local_slot)
        return;
    std::vector<control_reading>& slot_readings = readings[slot];
    if (at != slot_readings.size())
        return;
    slot_readings.push_back(reading);
    if (at < tick && at < leaves[slot] && used[at % window][slot] != reading)
        redo_from = std::min(redo_from, at);
}

void rollback_match::leave(int slot, std::uint32_t at)
{
    if (slot < 0 || slot >= humans || slot == local_slot || leaves[slot] != never)
        return;
    leaves[slot] = at;
    if (at < tick)
        redo_from = std::min(redo_from, at);
}

std::uint32_t rollback_match::confirmed() const
{
    std::uint32_t lowest = never;
    for (int slot = 0; slot < humans; slot++) {
        const auto known_until = static_cast<std::uint32_t>(readings[slot].size());
        if (leaves[slot] != never && known_until >= leaves[slot])
            continue;  // a bot from there on: nothing more to wait for
        lowest = std::min(lowest, known_until);
    }
    return lowest;
}

bool rollback_match::waits_for(int slot) const
{
    if (slot < 0 || slot >= humans || slot == local_slot || tick >= end)
        return false;
    const auto known_until = static_cast<std::uint32_t>(readings[slot].size());
    if (leaves[slot] != never && known_until >= leaves[slot])
        return false;
    return tick >= known_until + most_ahead;
}

bool rollback_match::advance()
{
    const auto began = std::chrono::steady_clock::now();
    const bool stepped = step_and_redo();
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - began;
    worst_step_us = std::max(worst_step_us, took.count());
    return stepped;
}

bool rollback_match::step_and_redo()
{
    if (redo_from < tick) {
        const std::uint32_t from = redo_from;
        states[from % window].restore();
        forget_end_after(from);
        while (!kills.empty() && kills.back().tick > from)
            kills.pop_back();
        // Heard once already, when they were first stepped.
        mute_sounds(true);
        const std::uint32_t was_at = tick;
        for (std::uint32_t at = from; at < was_at && ended_at == never; at++)
            step_tick(at);
        mute_sounds(false);
        // Stepped again, the match may have ended sooner.
        tick = std::min(was_at, ended_at);
        ticks_redone += tick - from;
        deepest = std::max(deepest, tick - from);
        rollbacks++;
    }
    redo_from = never;
    if (tick >= end || ended_at != never)
        return false;
    const std::uint32_t known = confirmed();
    if (known != never && tick >= known + most_ahead) {
        waits++;
        return false;
    }
    step_tick(tick);
    tick++;
    return true;
}

int rollback_match::advance_known(int most)
{
    int stepped = 0;
    while (stepped < most && tick < end && ended_at == never && tick < confirmed()) {
        step_tick(tick);
        tick++;
        stepped++;
    }
    return stepped;
}

control_reading rollback_match::reading_at(int slot, std::uint32_t at) const
{
    const std::vector<control_reading>& slot_readings = readings[slot];
    if (at < slot_readings.size())
        return slot_readings[at];
    // Not here yet: most likely still as it last was.
    return slot_readings.empty() ? control_reading{} : slot_readings.back();
}

void rollback_match::apply_controls(std::uint32_t at, std::vector<control_reading>* used_now) const
{
    for (int slot = 0; slot < humans; slot++) {
        if (at >= leaves[slot]) {
            if (at == leaves[slot])
                players[slot].become_bot();
            continue;
        }
        controls[slot] = reading_at(slot, at);
        if (used_now)
            (*used_now)[static_cast<std::size_t>(slot)] = controls[slot];
    }
}

bool rollback_match::final_state(std::uint32_t at, match_snapshot& into, match_snapshot& scratch) const
{
    if (at >= tick || at + window <= tick || confirmed() < at || redo_from < at)
        return false;
    scratch.save();
    states[at % window].restore();
    into.save();
    scratch.restore();
    return true;
}

void rollback_match::step_tick(std::uint32_t at)
{
    states[at % window].save();
    apply_controls(at, &used[at % window]);
    bool alive[max_players];
    for (int id = 0; id < max_players; id++)
        alive[id] = players[id].get_active() && players[id].get_health() > 0;
    game.step();
    for (int id = 0; id < max_players; id++)
        if (alive[id] && !(players[id].get_active() && players[id].get_health() > 0))
            kills.push_back({at + 1, last_blows[id].attacker, last_blows[id].cause, id});
    const match_result result = match_result_now(rules, at + 1);
    if (result.over) {
        ended_at = at + 1;
        ending = result;
    }
    if ((at + 1) % hash_every == 0 || result.over)
        hashes[at + 1] = match_hash();
}

void rollback_match::forget_end_after(std::uint32_t from)
{
    if (ended_at == never || ended_at <= from)
        return;
    if (ended_at % hash_every != 0)
        hashes.erase(ended_at);
    ended_at = never;
}

bool rollback_match::final_result(match_result& result, std::uint32_t& at) const
{
    if (ended_at == never || confirmed() < ended_at || redo_from < ended_at)
        return false;
    result = ending;
    at = ended_at;
    return true;
}

std::uint32_t rollback_match::final_tick() const
{
    return std::min({tick, confirmed(), redo_from});
}

bool rollback_match::final_hash(std::uint32_t at, std::uint64_t& hash) const
{
    if (at > tick || confirmed() < at || redo_from < at)
        return false;
    const auto found = hashes.find(at);
    if (found == hashes.end())
        return false;
    hash = found->second;
    return true;
}

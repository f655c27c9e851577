#include "net/rollback.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "app/sound.h"
#include "fighters/cplayer.h"
#include "match/cgame.h"
#include "match/match_hash.h"

namespace {

// What a step costs is the thread's own time: on a busy machine the clock
// also counts what other processes took.
double thread_time_us()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// How much each timed step moves the cost: about the last hundred ticks
// count. It rises from 0, so the first steps (the slowest, on cold caches)
// do not stop the match guessing while it starts.
const double cost_weight = 1.0 / 64;

}  // namespace

void rollback_match::start(int new_humans, int new_local_slot)
{
    humans = std::clamp(new_humans, 1, max_players);
    local_slot = new_local_slot;
    tick = 0;
    redo_from = never;
    end = never;
    rules = match_rules();
    ended_at = never;
    delay = fewest_delay;
    delays.assign(1, {0, fewest_delay});
    for (int slot = 0; slot < max_players; slot++) {
        readings[slot].assign(slot < humans ? fewest_delay : 0, control_reading{});
        leaves[slot] = never;
        entries[slot] = 0;
    }
    states.resize(window);
    used.assign(window, std::vector<control_reading>(max_players));
    hashes.clear();
    events.clear();
    ticks_redone = 0;
    deepest = 0;
    rollbacks = 0;
    waits = 0;
    worst_step_us = 0;
    worst_step_cpu_us = 0;
    step_cost_us = 0;
}

void rollback_match::add_local(const control_reading& reading)
{
    // A peer that waits reads no further ahead.
    if (local_slot < 0)
        return;
    std::vector<control_reading>& own = readings[local_slot];
    while (own.size() <= tick + delay) {
        const auto at = static_cast<std::uint32_t>(own.size());
        // A player who came in after its first tick reads those at once.
        const std::uint32_t ahead = at > tick ? at - tick : 0;
        if (ahead != delays.back().ticks)
            delays.push_back({at, ahead});
        own.push_back(reading);
    }
}

void rollback_match::set_input_delay(std::uint32_t ticks)
{
    delay = std::clamp(ticks, fewest_delay, most_delay);
}

std::int64_t rollback_match::read_on(std::uint32_t at) const
{
    auto change = delays.rbegin();
    while (change + 1 != delays.rend() && change->from > at)
        ++change;
    return static_cast<std::int64_t>(at) - change->ticks;
}

std::uint32_t rollback_match::lookahead_for(double step_us)
{
    if (step_us <= 0 || step_us * most_ahead <= redo_budget_us)
        return most_ahead;
    return std::max(fewest_ahead, static_cast<std::uint32_t>(redo_budget_us / step_us));
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

bool rollback_match::enter(int slot, std::uint32_t at, const int look[3], bool local)
{
    if (slot != humans || slot >= max_players || at == 0 || at + window <= tick)
        return false;
    humans++;
    entries[slot] = at;
    std::copy(look, look + 3, looks[slot]);
    leaves[slot] = never;
    // Before its entry the fighter is a bot's: nothing to wait for there.
    readings[slot].assign(at, control_reading{});
    if (local) {
        local_slot = slot;
        delays.assign(1, {at, at > tick ? at - tick : 0});
    }
    if (at < tick)
        redo_from = std::min(redo_from, at);
    return true;
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
    return tick >= known_until + lookahead();
}

bool rollback_match::advance()
{
    const auto began = std::chrono::steady_clock::now();
    const double began_cpu = thread_time_us();
    const std::uint64_t redone_before = ticks_redone;
    const bool stepped = step_and_redo();
    const double took_cpu = thread_time_us() - began_cpu;
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - began;
    worst_step_us = std::max(worst_step_us, took.count());
    worst_step_cpu_us = std::max(worst_step_cpu_us, took_cpu);
    const std::uint64_t ticks = ticks_redone - redone_before + (stepped ? 1 : 0);
    if (ticks > 0) {
        const double each = took_cpu / static_cast<double>(ticks);
        step_cost_us += (each - step_cost_us) * cost_weight;
    }
    return stepped;
}

bool rollback_match::step_and_redo()
{
    if (redo_from < tick) {
        const std::uint32_t from = redo_from;
        states[from % window].restore();
        forget_end_after(from);
        events.go_back(from);
        const std::uint32_t was_at = tick;
        {
            // Heard once already, when they were first stepped.
            const muted_sounds heard_before;
            for (std::uint32_t at = from; at < was_at && ended_at == never; at++)
                step_tick(at);
        }
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
    if (known != never && tick >= known + lookahead()) {
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
        if (at < entries[slot])
            continue;  // still a bot's
        if (at == entries[slot] && at > 0)
            players[slot].become_human(looks[slot]);
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
    record_comings_and_goings(at);
    game.step(&events);
    const match_result result = match_result_now(rules, at + 1);
    if (result.over) {
        ended_at = at + 1;
        ending = result;
    }
    if ((at + 1) % hash_every == 0 || result.over)
        hashes[at + 1] = match_hash();
}

void rollback_match::record_comings_and_goings(std::uint32_t at)
{
    for (int slot = 0; slot < humans; slot++) {
        if (at == entries[slot] && at > 0)
            events.entry(slot);
        if (at == leaves[slot])
            events.leave(slot);
    }
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

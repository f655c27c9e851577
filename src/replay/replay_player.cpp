#include "replay/replay_player.h"

#include <algorithm>

#include "app/sound.h"
#include "fighters/cplayer.h"
#include "match/cgame.h"
#include "match/control.h"
#include "match/match_hash.h"

bool replay_player::start(const replay_data& new_replay, std::string& error)
{
    if (new_replay.setup.humans.size() != new_replay.humans.size()) {
        error = "its humans and their controls do not match";
        return false;
    }
    if (!starter.start(start_of(new_replay), match_seat{}, error))
        return false;
    replay = new_replay;
    tick = 0;
    reached = 0;
    events.clear();
    mismatch = -1;
    kept.clear();
    spacing = first_spacing;
    ahead_valid = false;
    place_at_tick();
    check_checkpoint();
    keep_snapshot();
    return true;
}

bool replay_player::step()
{
    if (finished())
        return false;
    // What happens is recorded once, the first time a step reaches it.
    match_events* const recording = tick == events.get_steps() ? &events : nullptr;
    for (std::size_t human = 0; human < replay.humans.size(); human++) {
        const recorded_human& recorded = replay.humans[human];
        // One who came in late: a bot's fighter until its first tick, then
        // its own, in the colours it came with.
        if (tick < recorded.first_tick)
            continue;
        if (tick == recorded.first_tick && recorded.first_tick > 0) {
            players[human].become_human(replay.setup.humans[human].colors);
            if (recording)
                recording->entry(static_cast<int>(human));
        }
        const auto& runs = recorded.runs;
        if (left_in_run[human] == 0 && run[human] + 1 < runs.size())
            left_in_run[human] = runs[++run[human]].ticks;
        if (left_in_run[human] == 0) {
            // This human left the match here: a bot plays on.
            if (!has_left[human]) {
                players[human].become_bot();
                if (recording)
                    recording->leave(static_cast<int>(human));
            }
            has_left[human] = true;
            continue;
        }
        controls[human] = runs[run[human]].reading;
        left_in_run[human]--;
    }
    game.step(recording);
    tick++;
    check_checkpoint();
    if (tick > reached) {
        reached = tick;
        ahead_valid = false;  // the watched match is now the furthest
    }
    if (tick % spacing == 0)
        keep_snapshot();
    return true;
}

void replay_player::keep_snapshot()
{
    if (!kept.empty() && kept.back().tick >= tick)
        return;
    if (kept.size() >= max_kept) {
        // Every other one goes: the rest are twice as far apart.
        std::size_t left = 0;
        for (std::size_t i = 0; i < kept.size(); i += 2)
            kept[left++] = std::move(kept[i]);
        kept.resize(left);
        spacing *= 2;
        if (tick % spacing != 0)
            return;
    }
    kept_state state;
    state.tick = tick;
    state.snapshot = std::make_unique<match_snapshot>();
    state.snapshot->save();
    kept.push_back(std::move(state));
}

void replay_player::place_at_tick()
{
    for (std::size_t human = 0; human < replay.humans.size(); human++) {
        const recorded_human& recorded = replay.humans[human];
        const auto& runs = recorded.runs;
        // The ticks of its own runs played; none before a late one came in.
        const std::uint32_t played = tick > recorded.first_tick ? tick - recorded.first_tick : 0;
        std::uint32_t before = 0;
        std::size_t at = 0;
        while (at < runs.size() && before + runs[at].ticks <= played)
            before += runs[at++].ticks;
        if (at < runs.size()) {
            run[human] = at;
            left_in_run[human] = runs[at].ticks - (played - before);
            has_left[human] = false;
        } else {
            // The step at the human's last tick made it a bot.
            run[human] = runs.empty() ? 0 : runs.size() - 1;
            left_in_run[human] = 0;
            has_left[human] = played > before;
        }
    }
    const auto& checkpoints = replay.checkpoints;
    next_checkpoint = static_cast<std::size_t>(
        std::upper_bound(checkpoints.begin(), checkpoints.end(), tick,
                         [](std::uint32_t at, const replay_checkpoint& c) { return at < c.tick; }) -
        checkpoints.begin());
    if (next_checkpoint > 0 && checkpoints[next_checkpoint - 1].tick == tick)
        next_checkpoint--;
}

void replay_player::restore(const match_snapshot& snapshot, std::uint32_t at)
{
    snapshot.restore();
    tick = at;
    place_at_tick();
    check_checkpoint();
}

void replay_player::step_muted_to(std::uint32_t target)
{
    const muted_sounds unwatched;
    while (tick < target && step()) {
    }
}

void replay_player::seek(std::uint32_t target)
{
    target = std::min(target, replay.ticks);
    if (kept.empty())
        return;
    // The latest state at or before the target: a kept one, the scout's or
    // the match as it stands.
    auto from = std::upper_bound(kept.begin(), kept.end(), target,
                                 [](std::uint32_t at, const kept_state& state) { return at < state.tick; });
    const kept_state& nearest = *(from - 1);
    const bool from_ahead = ahead_valid && reached <= target && reached > nearest.tick;
    const std::uint32_t restored_tick = from_ahead ? reached : nearest.tick;
    if (tick > target || tick < restored_tick) {
        if (from_ahead)
            restore(ahead, reached);
        else
            restore(*nearest.snapshot, nearest.tick);
    }
    step_muted_to(target);
}

void replay_player::scout(int steps)
{
    if (reached >= replay.ticks)
        return;
    watched.save();
    const std::uint32_t watched_tick = tick;
    if (ahead_valid)
        restore(ahead, reached);
    else if (tick != reached)
        restore(*kept.back().snapshot, kept.back().tick);
    step_muted_to(std::min(reached + static_cast<std::uint32_t>(steps), replay.ticks));
    ahead.save();
    ahead_valid = true;
    restore(watched, watched_tick);
}

void replay_player::check_checkpoint()
{
    const auto& checkpoints = replay.checkpoints;
    if (next_checkpoint >= checkpoints.size() || checkpoints[next_checkpoint].tick != tick)
        return;
    if (mismatch < 0 && checkpoints[next_checkpoint].hash != match_hash())
        mismatch = tick;
    next_checkpoint++;
}

void replay_player::stop()
{
    starter.finish();
}

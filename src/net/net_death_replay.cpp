#include "net/net_death_replay.h"

#include <algorithm>

#include "app/sound.h"
#include "fighters/cplayer.h"
#include "match/cgame.h"

namespace {

const std::size_t states_kept = 5;  // reach 400 ticks back

bool alive(int slot)
{
    return players[slot].get_health() > 0;
}

}  // namespace

void net_death_replay::watch(const rollback_match& match)
{
    if (next_keep + keep_every < match.get_tick())
        next_keep = match.get_tick() / keep_every * keep_every;  // fell behind: start afresh
    if (match.final_state(next_keep, incoming, live)) {
        if (kept.size() == states_kept)
            kept.pop_front();
        kept.push_back({next_keep, std::move(incoming)});
        next_keep += keep_every;
    }
    const int slot = match.get_local_slot();
    const bool now_alive = alive(slot);
    if (was_alive && !now_alive && !showing) {
        have_death = true;
        death_tick = match.get_tick();
    }
    if (now_alive)
        have_death = false;
    was_alive = now_alive;
}

bool net_death_replay::available() const
{
    return have_death && !showing && !kept.empty();
}

void net_death_replay::begin(const rollback_match& match)
{
    if (!available())
        return;
    const std::uint32_t wanted = death_tick > ticks_before_death ? death_tick - ticks_before_death : 0;
    const kept_state* from = &kept.front();
    for (const kept_state& state : kept)
        if (state.tick <= wanted)
            from = &state;
    tick = from->tick;
    last_tick = std::min(death_tick + ticks_after_death, match.get_tick());
    live.save();
    from->state.restore();
    // Up to the three seconds, quickly and silently.
    mute_sounds(true);
    for (; tick < wanted; tick++) {
        match.apply_controls(tick);
        game.step();
    }
    mute_sounds(false);
    copy.save();
    live.restore();
    wait = 0;
    showing = true;
}

void net_death_replay::update(const rollback_match& match)
{
    if (!showing || ++wait < slowdown)
        return;
    wait = 0;
    if (tick >= last_tick) {
        showing = false;
        return;
    }
    on_copy([&] {
        match.apply_controls(tick);
        game.step();
    });
    tick++;
}

void net_death_replay::draw(const std::function<void()>& draw_frame)
{
    on_copy(draw_frame);
}

void net_death_replay::on_copy(const std::function<void()>& work)
{
    live.save();
    copy.restore();
    work();
    copy.save();
    live.restore();
}

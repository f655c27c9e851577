#include "replay/death_replay.h"

#include <algorithm>

#include "app/sound.h"
#include "app/text.h"
#include "fighters/cplayer.h"
#include "match/cgame.h"

namespace {

const std::size_t snapshots_kept = 5;  // reach 400 ticks back
const std::size_t readings_kept = 600;

bool human_alive()
{
    return players[0].get_health() > 0;
}

}  // namespace

void draw_death_replay_text(bool showing, bool offered)
{
    // The hint stands below the weapon panel, which covers (810, 390) to (1110, 690).
    const int hint_y = 710;
    const int banner_y = 120;
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    const char* const banner = "REPLAY";
    const char* const back = "F OR ESCAPE: BACK TO THE MATCH";
    const char* const offer = "F: SEE HOW YOU DIED";
    if (showing) {
        draw_text(white, banner, centred_x(banner, true), banner_y, true);
        draw_text(white, back, centred_x(back, false), hint_y, false);
    } else if (offered) {
        draw_text(white, offer, centred_x(offer, false), hint_y, false);
    }
}

void death_replay::reset()
{
    snapshots.clear();
    readings.clear();
    death_readings.clear();
    was_alive = false;
    have_death = false;
    showing = false;
}

void death_replay::before_step(std::uint32_t live_tick)
{
    if (live_tick % snapshot_every != 0)
        return;
    if (snapshots.size() == snapshots_kept) {
        // The oldest one's storage is reused: a snapshot is large.
        kept_snapshot oldest = std::move(snapshots.front());
        snapshots.pop_front();
        snapshots.push_back(std::move(oldest));
    } else {
        snapshots.emplace_back();
    }
    snapshots.back().tick = live_tick;
    snapshots.back().state.save();
}

void death_replay::after_step(std::uint32_t live_tick, const control_reading& reading)
{
    readings.push_back({live_tick, reading});
    if (readings.size() > readings_kept)
        readings.pop_front();
    // The moment after the death is shown too, as far as it has been played.
    if (have_death && live_tick < death_tick + ticks_after_death)
        death_readings.push_back({live_tick, reading});

    const bool alive = human_alive();
    if (was_alive && !alive)
        set_death_aside(live_tick + 1);
    if (alive)
        have_death = false;
    was_alive = alive;
}

void death_replay::set_death_aside(std::uint32_t new_death_tick)
{
    if (snapshots.empty())
        return;
    const std::uint32_t wanted = new_death_tick > ticks_before_death ? new_death_tick - ticks_before_death : 0;
    // The newest snapshot at or before the three seconds, else the oldest
    // kept. It is taken out of the ring with those before it, which are
    // older than any death to come can need.
    std::size_t from = 0;
    for (std::size_t i = 0; i < snapshots.size(); i++)
        if (snapshots[i].tick <= wanted)
            from = i;
    const std::uint32_t from_tick = snapshots[from].tick;
    death_tick = new_death_tick;
    start_tick = std::max(from_tick, wanted);
    start_state = std::move(snapshots[from].state);
    snapshots.erase(snapshots.begin(), snapshots.begin() + static_cast<std::ptrdiff_t>(from) + 1);
    death_readings.clear();
    for (const kept_reading& kept : readings)
        if (kept.tick >= from_tick)
            death_readings.push_back(kept);
    // The readings must run without a gap from the snapshot on.
    have_death = !death_readings.empty() && death_readings.front().tick == from_tick;
}

bool death_replay::available() const
{
    return have_death && !showing && !human_alive();
}

void death_replay::begin(std::uint32_t live_tick)
{
    if (!available())
        return;
    held.save();
    start_state.restore();
    tick = death_readings.front().tick;
    end_tick = std::min(death_tick + ticks_after_death, live_tick);
    next_reading = 0;
    device_slot = -1;
    // Up to the three seconds, quickly and silently.
    mute_sounds(true);
    while (tick < start_tick) {
        controls[0] = death_readings[next_reading++].reading;
        game.step();
        tick++;
    }
    mute_sounds(false);
    wait = 0;
    showing = true;
}

void death_replay::update()
{
    if (!showing || ++wait < slowdown)
        return;
    wait = 0;
    if (tick >= end_tick || next_reading >= death_readings.size()) {
        end();
        return;
    }
    controls[0] = death_readings[next_reading++].reading;
    game.step();
    tick++;
}

void death_replay::end()
{
    if (!showing)
        return;
    held.restore();
    device_slot = 0;
    showing = false;
}

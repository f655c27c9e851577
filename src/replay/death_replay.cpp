#include "replay/death_replay.h"

#include <algorithm>

#include "app/sound.h"
#include "app/text.h"
#include "fighters/cplayer.h"
#include "match/cgame.h"
#include "match/control.h"

namespace {

const std::size_t states_kept = 5;  // reach 400 ticks back

bool shown_alive()
{
    return players[game.get_shown_slot()].get_health() > 0;
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
    kept.clear();
    next_keep = 0;
    death_taken = 0;
    have_death = false;
    showing = false;
}

void death_replay::watch(const match_past& past, const match_events& events)
{
    keep_final_state(past);
    const std::vector<match_event>& happened = events.all();
    for (std::size_t at = events.count_by(death_taken); at < happened.size(); at++) {
        const match_event& death = happened[at];
        if (death.what != match_event::kind::death || death.slot != game.get_shown_slot())
            continue;
        death_taken = death.tick;
        if (!showing)
            set_death_aside(death.tick);
    }
    if (shown_alive())
        have_death = false;
}

void death_replay::keep_final_state(const match_past& past)
{
    if (next_keep + snapshot_every < past.get_tick())
        next_keep = past.get_tick() / snapshot_every * snapshot_every;  // fell behind: start afresh
    if (!past.final_state(next_keep, incoming, live))
        return;
    kept.push_back({next_keep, std::move(incoming)});
    if (kept.size() > states_kept) {
        // The oldest one's storage is used again: a snapshot is large.
        incoming = std::move(kept.front().state);
        kept.pop_front();
    }
    next_keep += snapshot_every;
}

void death_replay::set_death_aside(std::uint32_t new_death_tick)
{
    if (kept.empty())
        return;
    const std::uint32_t wanted = new_death_tick > ticks_before_death ? new_death_tick - ticks_before_death : 0;
    // The newest state at or before the three seconds, else the oldest
    // kept. It is taken out with those before it, which are older than any
    // death to come can need.
    std::size_t from = 0;
    for (std::size_t i = 0; i < kept.size(); i++)
        if (kept[i].tick <= wanted)
            from = i;
    death_tick = new_death_tick;
    from_tick = kept[from].tick;
    start_tick = std::max(from_tick, wanted);
    start_state = std::move(kept[from].state);
    kept.erase(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(from) + 1);
    have_death = true;
}

void death_replay::begin(const match_past& past)
{
    if (!available())
        return;
    tick = from_tick;
    last_tick = std::min(death_tick + ticks_after_death, past.get_tick());
    live.save();
    start_state.restore();
    {
        // Up to the three seconds, quickly and silently.
        const muted_sounds quickly;
        while (tick < start_tick)
            step_copy(past);
    }
    copy.save();
    live.restore();
    wait = 0;
    showing = true;
}

void death_replay::update(const match_past& past)
{
    if (!showing || ++wait < slowdown)
        return;
    wait = 0;
    if (tick >= last_tick) {
        showing = false;
        return;
    }
    on_copy([&] { step_copy(past); });
}

void death_replay::step_copy(const match_past& past)
{
    // The copy steps on the controls as they read then, never on the devices now.
    const int devices = device_slot;
    device_slot = -1;
    past.apply_controls(tick);
    game.step();
    device_slot = devices;
    tick++;
}

void death_replay::draw(const std::function<void()>& draw_frame)
{
    if (showing)
        on_copy(draw_frame);
    else
        draw_frame();
}

void death_replay::on_copy(const std::function<void()>& work)
{
    live.save();
    copy.restore();
    work();
    copy.save();
    live.restore();
}

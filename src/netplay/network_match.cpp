#include "netplay/network_match.h"

#include <algorithm>

#include "app/input.h"
#include "app/logical_screen.h"
#include "app/shell.h"
#include "app/sound.h"
#include "app/text.h"
#include "fighters/cplayer.h"
#include "match/cgame.h"
#include "match/control.h"
#include "match/name_tags.h"
#include "match/rules_shown.h"
#include "match/scoreboard.h"
#include "net/net_session.h"
#include "netplay/match_cycle.h"
#include "netplay/lobby_list.h"
#include "netplay/waiting_note.h"
#include "replay/replay_folder.h"

namespace {

const int followed_y = logical_height - 90;

}  // namespace

void network_match::init(match_cycle& new_cycle)
{
    cycle = &new_cycle;
    session = &cycle->get_session();
    death.reset();
    scores.reset(session->get_match().get_events(), 0);
    leave_key.hold();
    watch_key.hold();
    next_click.hold();
    previous_click.hold();
    chat.init(*session, false);
    left = false;
    if (display)
        al_hide_mouse_cursor(display);
}

void network_match::update()
{
    poll_keyboard();
    poll_mouse();
    const bool typing = chat.update();
    if (typing) {
        leave_key.hold();
        watch_key.hold();
    }
    const bool escape = leave_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE));
    const bool watch = watch_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_F));
    if (escape && !death.running()) {
        left = true;
        return;
    }
    if (session->get_roster().own_slot() < 0)
        follow_another();
    else if (death.running() && (escape || watch))
        death.end();
    else if (watch && death.available())
        death.begin(session->get_match());

    control_reading local = read_devices();
    // Typing a line is not playing: the fighter stands, aiming as before.
    if (typing)
        local.keys = 0, local.buttons = 0;
    {
        // The others play on while this player watches; only the copy is heard.
        const muted_sounds under_replay(death.running());
        cycle->tick(local);
    }
    // The live state may be a guess that a rollback mends later.
    scores.watch(session->get_match().get_events(), session->get_match().final_tick());
    death.watch(session->get_match(), session->get_match().get_events());
    death.update(session->get_match());
}

bool network_match::done() const
{
    return left || session->get_phase() != net_session::phase::playing;
}

void network_match::draw()
{
    death.draw([this] { game.draw([this] { draw_overlay(); }); });
}

void network_match::draw_overlay() const
{
    draw_death_replay_text(death.running(), death.available());
    // Under the rest; the lines stay through a death's replay and the end.
    chat.draw();
    if (death.running())
        return;
    draw_names();
    draw_time_left(session->get_start().rules, session->get_match().get_tick());
    match_result result;
    std::uint32_t ended_at = 0;
    if (session->match_over(result, ended_at)) {
        draw_match_end(result, human_names(), scores.get_scores(), pings(), session->get_roster().own_slot(), true);
        return;
    }
    scores.draw(human_names(), pings(), true);
    draw_waiting_note(session->waiting_for(), session->get_roster().humans());
    if (session->get_roster().own() == own_role::watcher)
        draw_followed();
    else if (session->get_roster().own() == own_role::waiting_for_fighter)
        draw_centred_line("WAITING FOR A FIGHTER - LEFT AND RIGHT BUTTONS: WHOM TO WATCH", followed_y, false);
    else if (session->get_roster().own() == own_role::coming_in)
        draw_centred_line("CATCHING UP ON THE MATCH - YOU TAKE OVER A BOT IN A MOMENT", followed_y, false);
}

// The next fighter in the match after the one followed now, or the one
// before; a slot the match never filled is passed over.
void network_match::follow_another()
{
    const bool next = next_click.pressed(mouse.buttons & 1);
    const bool previous = previous_click.pressed(mouse.buttons & 2);
    if (next == previous)
        return;
    const match_lineup& lineup = game.get_lineup();
    const int fighters = std::max(1, lineup.humans + lineup.bots);
    int slot = game.get_shown_slot();
    for (int tried = 0; tried < fighters; tried++) {
        slot = (slot + (next ? 1 : fighters - 1)) % fighters;
        if (players[slot].get_active())
            break;
    }
    game.set_shown_slot(slot);
}

void network_match::draw_followed() const
{
    const std::string line = "WATCHING " + fighter_name(game.get_shown_slot(), human_names()) +
                             "  LEFT BUTTON: NEXT  RIGHT BUTTON: BEFORE";
    draw_text(al_map_rgb(255, 255, 255), line.c_str(), centred_x(line.c_str(), false), followed_y, false);
}

// Each human still playing, named above their fighter in their shirt's colour.
void network_match::draw_names() const
{
    const std::vector<net_player>& humans = session->get_start().humans;
    for (std::size_t slot = 0; slot < humans.size(); slot++)
        draw_name_tag(static_cast<int>(slot), humans[slot].name, humans[slot].colors[1]);
}

// The names as the match began: after it, the lobby's may be fewer.
std::vector<std::string> network_match::human_names() const
{
    std::vector<std::string> names;
    for (const net_player& human : session->get_start().humans)
        names.push_back(human.name);
    return names;
}

// Every human's ping as far as it is known.
std::vector<int> network_match::pings() const
{
    std::vector<int> by_slot;
    for (std::size_t slot = 0; slot < session->get_start().humans.size(); slot++)
        by_slot.push_back(session->ping_ms(static_cast<int>(slot)));
    return by_slot;
}

void network_match::deinit()
{
    death.end();
    // Back in the host's lobby after the end, the session goes on.
    if (session->get_phase() != net_session::phase::lobby)
        cycle->leave();
    keep_replay(recording_of(*session));
    game.deinit();
}

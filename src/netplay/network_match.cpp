#include "netplay/network_match.h"

#include <cmath>

#include "app/input.h"
#include "app/shell.h"
#include "app/sound.h"
#include "app/text.h"
#include "fighters/cplayer.h"
#include "fighters/fighter_palette.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/control.h"
#include "net/net_session.h"
#include "netplay/waiting_note.h"
#include "replay/replay_folder.h"

namespace {

// Where a name stands from the fighter's corner: centred over the body,
// one small line above the head.
const int name_centre_x = 20;
const int name_rise = 34;

}  // namespace

void network_match::init(net_session& new_session)
{
    session = &new_session;
    death.reset();
    leave_key.hold();
    watch_key.hold();
    left = false;
    if (display)
        al_hide_mouse_cursor(display);
}

void network_match::update()
{
    poll_keyboard();
    poll_mouse();
    const bool escape = leave_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE));
    const bool watch = watch_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_F));
    if (escape && !death.running()) {
        left = true;
        return;
    }
    if (death.running() && (escape || watch))
        death.end();
    else if (watch && death.available())
        death.begin(session->get_match());

    session->poll();
    // The others play on while this player watches; only the copy is heard.
    mute_sounds(death.running());
    session->tick(read_devices());
    mute_sounds(false);
    death.watch(session->get_match());
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
    if (!death.running()) {
        draw_names();
        draw_waiting_note(session->waiting_for(), session->get_humans());
    }
}

// Each human still playing, named above their fighter in their shirt's colour.
void network_match::draw_names() const
{
    const std::vector<net_player>& humans = session->get_humans();
    for (int slot = 0; slot < static_cast<int>(humans.size()) && slot < max_players; slot++) {
        const cplayer& fighter = players[slot];
        if (!fighter.get_active() || fighter.get_bot() || fighter.get_health() <= 0)
            continue;
        const std::string& name = humans[static_cast<std::size_t>(slot)].name;
        const int width = text_width(static_cast<int>(name.size()), false);
        const float x = std::floor(fighter.get_x()) - map.get_xs() + name_centre_x - width / 2;
        const float y = std::floor(fighter.get_y()) - map.get_ys() - name_rise;
        draw_text(cloth_color(humans[static_cast<std::size_t>(slot)].colors[1]), name.c_str(),
                  static_cast<int>(x), static_cast<int>(y), false);
    }
}

void network_match::deinit()
{
    death.end();
    session->leave();
    keep_replay(session->recording());
    game.deinit();
}

#include "netplay/network_match.h"

#include <cstdio>
#include <string>

#include "app/input.h"
#include "app/shell.h"
#include "match/cgame.h"
#include "match/control.h"
#include "net/net_session.h"
#include "replay/recorded_match.h"
#include "replay/replay_file.h"

void network_match::init(net_session& new_session)
{
    session = &new_session;
    leave_key.hold();
    left = false;
    if (display)
        al_hide_mouse_cursor(display);
}

void network_match::update()
{
    poll_keyboard();
    poll_mouse();
    if (leave_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE))) {
        left = true;
        return;
    }
    session->poll();
    session->tick(read_devices());
}

bool network_match::done() const
{
    return left || session->get_phase() != net_session::phase::playing;
}

void network_match::draw()
{
    game.draw();
}

void network_match::deinit()
{
    session->leave();
    save();
    game.deinit();
}

void network_match::save() const
{
    const replay_data replay = session->recording();
    const std::string folder = replay_folder();
    std::string path, error;
    if (folder.empty())
        std::fprintf(stderr, "ZK3: no replay written: neither XDG_DATA_HOME nor HOME is set\n");
    else if (!save_replay(replay, folder, recorded_match::replays_kept, path, error))
        std::fprintf(stderr, "ZK3: no replay written: %s\n", error.c_str());
}

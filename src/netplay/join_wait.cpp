#include "netplay/join_wait.h"

#include "app/input.h"
#include "app/shell.h"
#include "frontend/backdrop.h"
#include "net/net_session.h"
#include "netplay/lobby_list.h"

namespace {

const int title_y = 120;
const int keys_y = lobby_list_layout::bottom + 80;

}  // namespace

join_wait::join_wait()
{
    make_backdrop(backdrop);
}

bool join_wait::init(net_session& new_session, const std::string& address, std::uint16_t port,
                     std::string& error)
{
    session = &new_session;
    where = address + ":" + std::to_string(port);
    leave_key.hold();
    return session->join(address, port, own_look(), error);
}

void join_wait::update()
{
    poll_keyboard();
    session->poll();
    if (done())
        return;
    if (leave_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE)))
        session->leave();
}

bool join_wait::done() const
{
    const net_session::phase now = session->get_phase();
    return now != net_session::phase::connecting && now != net_session::phase::lobby;
}

void join_wait::draw()
{
    draw_backdrop(backdrop);
    if (session->get_phase() == net_session::phase::lobby) {
        draw_centred_line("IN THE LOBBY - WAITING FOR THE HOST TO START", title_y, true);
        draw_lobby_list(session->get_humans(), session->get_local_slot());
    } else {
        const std::string joining = "JOINING " + where + "...";
        draw_centred_line(joining.c_str(), title_y, true);
    }
    draw_centred_line("ESCAPE: BACK", keys_y, true);
    show_frame();
}

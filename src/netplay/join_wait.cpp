#include "netplay/join_wait.h"

#include <cctype>

#include "app/input.h"
#include "app/shell.h"
#include "frontend/backdrop.h"
#include "net/net_link.h"
#include "net/net_session.h"
#include "netplay/match_cycle.h"
#include "netplay/lobby_list.h"

namespace {

const int title_y = 120;
const int offer_y = lobby_list_layout::bottom + 20;
const int keys_y = lobby_list_layout::bottom + 80;

// "MAP FOUNDRY   FIRST TO 10 KILLS   5 MIN", as far as the host limits it.
std::string offered(const net_lobby& lobby)
{
    std::string name = lobby.map_name.substr(0, lobby.map_name.rfind('.'));
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::string line = "MAP " + name;
    if (lobby.rules.score_limit > 0)
        line += "   FIRST TO " + std::to_string(lobby.rules.score_limit) + " KILLS";
    if (lobby.rules.time_limit > 0)
        line += "   " + std::to_string(lobby.rules.time_limit) + " MIN";
    return line;
}

}  // namespace

join_wait::join_wait()
{
    make_backdrop(backdrop);
}

bool join_wait::init(match_cycle& new_cycle, const std::string& address, std::uint16_t port,
                     std::string& error, bool watching)
{
    cycle = &new_cycle;
    session = &cycle->get_session();
    where = address + ":" + std::to_string(port);
    leave_key.hold();
    std::unique_ptr<net_transport> link = link_to_host(address, port, error);
    if (!link)
        return false;
    session->open(std::move(link), watching ? own_role::watcher : own_role::player, own_look());
    chat.init(*session, true);
    return true;
}

void join_wait::resume()
{
    leave_key.hold();
    // The match's lines stay with the match.
    chat.init(*session, true);
}

void join_wait::update()
{
    poll_keyboard();
    cycle->hear();
    if (done())
        return;
    if (chat.update()) {
        leave_key.hold();
        return;
    }
    if (leave_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE)))
        cycle->leave();
}

bool join_wait::done() const
{
    const net_session::phase now = session->get_phase();
    return now != net_session::phase::connecting && now != net_session::phase::lobby;
}

void join_wait::draw()
{
    draw_backdrop(backdrop);
    // A player the host gave no slot has come into a match under way: the
    // match so far is on its way.
    const bool watching = session->get_roster().own() == own_role::watcher;
    const bool under_way = !watching && session->get_roster().own_slot() < 0;
    if (session->get_phase() == net_session::phase::lobby && under_way) {
        const std::string joining = "JOINING THE MATCH UNDER WAY AT " + where + "...";
        draw_centred_line(joining.c_str(), title_y, true);
    } else if (session->get_phase() == net_session::phase::lobby) {
        draw_centred_line(watching ? "WATCHING THE LOBBY - WAITING FOR THE HOST TO START"
                                   : "IN THE LOBBY - WAITING FOR THE HOST TO START",
                          title_y, true);
        draw_lobby_list(session->get_roster().humans(), session->get_roster().own_slot(), session->get_lobby().host_plays);
        draw_centred_line(offered(session->get_lobby()).c_str(), offer_y, true);
    } else {
        const std::string joining = (watching ? "WATCHING " : "JOINING ") + where + "...";
        draw_centred_line(joining.c_str(), title_y, true);
    }
    draw_centred_line("ESCAPE: BACK", keys_y, true);
    chat.draw();
    show_frame();
}

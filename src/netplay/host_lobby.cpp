#include "netplay/host_lobby.h"

#include <algorithm>
#include <cstdio>

#include "app/input.h"
#include "app/shell.h"
#include "frontend/backdrop.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "map/map_file.h"
#include "net/local_networks.h"
#include "net/net_link.h"
#include "net/net_session.h"
#include "netplay/match_cycle.h"
#include "netplay/lobby_list.h"

namespace {

const int title_y = 120;
const int port_y = 180;
const int join_hint_y = 225;
const int match_y = lobby_list_layout::bottom + 20;
const int keys_y = match_y + 60;
const int message_y = keys_y + 45;

// More than this many networks do not fit on the line.
const std::size_t most_ways_shown = 3;

const ALLEGRO_COLOR grey = {160 / 255.0f, 160 / 255.0f, 160 / 255.0f, 1};
const ALLEGRO_COLOR yellow = {1, 220 / 255.0f, 64 / 255.0f, 1};

const char* skill_name(int skill)
{
    return skill == 2 ? "EASY" : skill == 1 ? "MEDIUM" : "HARD";
}

// This computer's address on each of its local networks, with the port; the
// loopback's only where there is no other network.
std::string how_others_join(std::uint16_t port)
{
    std::vector<std::string> ways = ways_in(port);
    if (ways.empty())
        ways.push_back("127.0.0.1:" + std::to_string(port));
    std::string hint = "OTHERS JOIN";
    for (std::size_t i = 0; i < ways.size() && i < most_ways_shown; i++)
        hint += (i == 0 ? ": " : "  OR  ") + ways[i];
    return hint;
}

}  // namespace

host_lobby::host_lobby()
{
    make_backdrop(backdrop);
}

bool host_lobby::init(match_cycle& new_cycle, std::uint16_t new_port, std::uint32_t new_seed,
                      std::string& error, const match_rules& rules)
{
    cycle = &new_cycle;
    session = &cycle->get_session();
    port = new_port;
    join_hint = how_others_join(port);
    choices.init(options.get_level(), options.get_bots(), rules);
    resume(new_seed);
    std::unique_ptr<net_transport> link = link_for_host(port, error);
    if (!link)
        return false;
    session->open(std::move(link), own_role::host, own_look());
    offer();
    return true;
}

void host_lobby::resume(std::uint32_t new_seed)
{
    seed = new_seed;
    message.clear();
    humans_seen = session->get_roster().humans().size();
    start_key.hold();
    leave_key.hold();
    // The match's lines stay with the match.
    chat.init(*session, false);
}

void host_lobby::offer()
{
    char name[cmap::max_name_length + 1];
    map.get_name(choices.get_level(), name, false);
    lobby_offer next;
    next.map_name = name;
    next.bots = choices.get_bots();
    next.skill = options.get_skill();
    next.rules = choices.get_rules();
    session->offer(next);
}

void host_lobby::update()
{
    poll_keyboard();
    cycle->hear();
    if (session->get_phase() != net_session::phase::lobby)
        return;
    // A message about the lobby as it was goes when someone joins or leaves.
    if (session->get_roster().humans().size() != humans_seen)
        message.clear();
    humans_seen = session->get_roster().humans().size();
    // While a line is typed, its keys are the line's.
    const bool typing = chat.update();
    if (typing) {
        start_key.hold();
        leave_key.hold();
    }
    if (leave_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE))) {
        cycle->leave();
        return;
    }
    poll_mouse();
    if (!typing && choices.update())
        offer();
    const bool enter = al_key_down(&keyboard, ALLEGRO_KEY_ENTER) || al_key_down(&keyboard, ALLEGRO_KEY_PAD_ENTER);
    if (start_key.pressed(enter))
        start();
}

// The options' map travels as its file's whole text, so that the joiners
// need not have it.
void host_lobby::start()
{
    if (session->get_roster().humans().size() < 2) {
        message = "NOBODY HAS JOINED YET";
        return;
    }
    char name[cmap::max_name_length + 1];
    map.get_name(choices.get_level(), name, false);
    std::string text, error;
    if (!read_map_text(map_file_path(name), text)) {
        message = "cannot read " + map_file_path(name);
        return;
    }
    if (!cycle->start(name, text, seed, error))
        message = error;
}

bool host_lobby::done() const
{
    return session->get_phase() != net_session::phase::lobby;
}

void host_lobby::draw()
{
    draw_backdrop(backdrop);
    draw_centred_line("LOBBY", title_y, true);
    char line[96];
    std::snprintf(line, sizeof line, "PORT %u", static_cast<unsigned>(port));
    draw_centred_line(line, port_y, true);
    draw_centred_line(join_hint.c_str(), join_hint_y, false, grey);

    const std::vector<net_player>& humans = session->get_roster().humans();
    draw_lobby_list(humans, 0);

    choices.draw();
    std::snprintf(line, sizeof line, "SKILL %s", skill_name(options.get_skill()));
    draw_centred_line(line, match_y, true);
    draw_centred_line("ARROWS: MAP AND LIMITS  ENTER: START  ESCAPE: BACK", keys_y, true);
    const std::string& shown = message.empty() ? session->get_notice() : message;
    if (!shown.empty())
        draw_centred_line(shown.c_str(), message_y, false, yellow);
    chat.draw();
    show_frame();
}

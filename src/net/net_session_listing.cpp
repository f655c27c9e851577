// What a host tells the finders of games on the local network: its name,
// its map, the humans in it and whether the match has begun. The link
// answers them; the session keeps the listing current.
#include "net/net_session.h"

void net_session::set_host_name(const std::string& name)
{
    if (is_player_name(name))
        host_name = name;
}

void net_session::set_map_name(const std::string& map_name)
{
    chosen_map_name = map_name;
}

std::string net_session::lobby_map_name() const
{
    return chosen_map_name.empty() ? "unknown.zkm" : chosen_map_name;
}

void net_session::list_game()
{
    if (!link || !roster.hosts())
        return;
    game_listing now;
    now.name = host_name;
    now.playing = current_phase == phase::playing;
    now.map = now.playing ? started.map_name : lobby_map_name();
    now.players = roster.players();
    if (now == listed)
        return;
    listed = now;
    link->set_listing(listed);
}

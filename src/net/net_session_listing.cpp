// What a host offers for the next match, and what it tells the finders of
// games on the local network: its name, its map, the humans in it and
// whether the match has begun. The link answers them; the session keeps the
// listing current.
#include "net/net_session.h"

void net_session::offer(const lobby_offer& next)
{
    offered = next;
    if (offered.map_name.empty())
        offered.map_name = lobby_offer().map_name;
    if (roster.hosts() && current_phase == phase::lobby)
        send_lobby();
}

void net_session::list_game()
{
    if (!link || !roster.hosts())
        return;
    game_listing now;
    if (is_player_name(offered.host_name))
        now.name = offered.host_name;
    else if (is_player_name(own_look.name))
        now.name = own_look.name;
    now.playing = current_phase == phase::playing;
    now.map = now.playing ? started.map_name : offered.map_name;
    now.players = roster.players();
    if (now == listed)
        return;
    listed = now;
    link->set_listing(listed);
}

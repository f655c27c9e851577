#include "net/lobby_offer.h"

game_listing listing_of(const lobby_offer& offered, const net_player& host_look, int players, bool playing,
                        const std::string& played_map)
{
    game_listing listing;
    if (is_player_name(offered.host_name))
        listing.name = offered.host_name;
    else if (is_player_name(host_look.name))
        listing.name = host_look.name;
    listing.playing = playing;
    listing.map = playing ? played_map : offered.map_name;
    listing.players = players;
    return listing;
}

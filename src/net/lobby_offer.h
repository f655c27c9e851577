// What a host's lobby offers for the next match, and what the finders of
// games on the local network are told of it: the host's name, its map, the
// humans in it and whether the match has begun. A value.
#pragma once

#include <string>

#include "match/match_rules.h"
#include "net/game_query.h"
#include "net/net_messages.h"

// What a host's lobby offers for the next match, set in one go.
struct lobby_offer {
    // The host's name as the finders of games on the local network list
    // it; one the player name's rule refuses ("" too) gives the host's own.
    std::string host_name;
    std::string map_name = "unknown.zkm";
    int bots = 3;
    int skill = 1;                     // 0 HARD, 1 MEDIUM, 2 EASY
    int most_players = net_max_slots;  // humans it lets play
    match_rules rules;
};

// The listing of a host whose own player is `host_look`, with `players`
// humans, playing on `played_map` or in its lobby.
game_listing listing_of(const lobby_offer& offered, const net_player& host_look, int players, bool playing,
                        const std::string& played_map);

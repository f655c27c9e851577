// Finding games on the local network: a player's finder broadcasts a query
// to the game ports, and every host that hears it answers from its game
// port with its listing. Both have magic bytes of their own, never the game
// packets' 'Z', 'K', so neither ENet nor the packet reader takes one for
// the other.
//
//   query   'Z', 'Q', the nonce (u32), then padding up to game_query_size
//   answer  'Z', 'A', the nonce (u32), the protocol version (byte), the
//           state (byte: 0 lobby, 1 playing), the players (byte), the
//           host's name and the map name (each a length and its bytes)
//
// A host's port is open to anyone, so it must not be a way to send a third
// party more than was sent to it: an answer is never larger than the query,
// which is padded to the largest answer's size, and a shorter query gets no
// answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "match/match_limits.h"
#include "match/player_name.h"

// What a host tells the finders about its game.
struct game_listing {
    std::string name = fallback_player_name;  // the host's player name
    std::string map;              // the map's file name, e.g. "tower.zkm"
    int players = 1;              // humans, 0..11: a server may have none yet
    bool playing = false;         // false in the lobby

    bool operator==(const game_listing& other) const
    {
        return name == other.name && map == other.map && players == other.players && playing == other.playing;
    }
    bool operator!=(const game_listing& other) const { return !(*this == other); }
};

struct game_answer {
    std::uint32_t nonce = 0;  // the query's, echoed
    int version = 0;          // the host's net_protocol_version, 1..255
    game_listing listing;

    bool operator==(const game_answer& other) const
    {
        return nonce == other.nonce && version == other.version && listing == other.listing;
    }
};

const std::size_t max_host_name = max_player_name;
// The largest answer, and so the size of every query.
const std::size_t game_query_size = 2 + 4 + 1 + 1 + 1 + (1 + max_host_name) + (1 + max_map_name);

// A listing an answer can carry: a host name, a map file name and 0..11 players.
bool is_listable(const game_listing& listing);

std::string encode_query(std::uint32_t nonce);
// Empty for a listing that is not listable.
std::string encode_answer(const game_answer& answer);

// Whether a datagram starts like a query, before it is read.
bool looks_like_query(const std::uint8_t* data, std::size_t size);
// The checking readers: false, with a one-line reason, for anything else
// than one whole query or answer within the limits above.
bool decode_query(const std::uint8_t* data, std::size_t size, std::uint32_t& nonce, std::string& error);
bool decode_answer(const std::uint8_t* data, std::size_t size, game_answer& out, std::string& error);

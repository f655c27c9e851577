// Writing and reading the finder's query and the host's answer. Both come
// from anyone on the network, so every byte is checked before it is used.
#include "net/game_query.h"

#include "codec/checked_reader.h"
#include "match/match_shape.h"

namespace {

const std::uint8_t query_magic[2] = {'Z', 'Q'};
const std::uint8_t answer_magic[2] = {'Z', 'A'};
const std::size_t magic_size = 2;
enum game_state : std::uint8_t { in_lobby = 0, in_match = 1 };

bool starts_with(const std::uint8_t* data, std::size_t size, const std::uint8_t (&magic)[2])
{
    return size >= magic_size && data[0] == magic[0] && data[1] == magic[1];
}

// Reads an answer's body after its magic, front to back; the first fault
// ends the reading with its reason.
class answer_parser : private checked_reader {
public:
    answer_parser(const std::string& body, game_answer& answer, std::string& reason)
        : checked_reader(body, "answer", reason), out(answer)
    {
    }

    bool read()
    {
        std::uint8_t version = 0, state = 0, players = 0;
        if (!in.u32(out.nonce))
            return ends_inside("the nonce");
        if (!byte("the version", version) || !byte("the state", state) || !byte("the players", players))
            return false;
        if (version == 0)
            return fail("protocol version 0");
        if (state != in_lobby && state != in_match)
            return fail("state %d is neither lobby (0) nor playing (1)", state);
        if (players > max_players)
            return fail("%d players (0 to %d)", players, max_players);
        out.version = version;
        out.listing.playing = state == in_match;
        out.listing.players = players;
        if (!read_player_name(out.listing.name) || !read_map_name(out.listing.map))
            return false;
        if (in.left() > 0)
            return fail("%zu trailing byte%s", in.left(), in.left() == 1 ? "" : "s");
        return true;
    }

private:
    bool read_map_name(std::string& name)
    {
        if (!take_map_name(name))
            return false;
        if (!is_map_name(name))
            return fail("the map name is not a map file name");
        return true;
    }

    bool byte(const char* what, std::uint8_t& value) { return in.byte(value) || ends_inside(what); }
    std::string where() const override { return "game answer: "; }

    game_answer& out;
};

}  // namespace

bool is_listable(const game_listing& listing)
{
    return is_player_name(listing.name) && is_map_name(listing.map) && listing.players >= 0 &&
           listing.players <= max_players;
}

std::string encode_query(std::uint32_t nonce)
{
    byte_writer out;
    out.byte(query_magic[0]);
    out.byte(query_magic[1]);
    out.u32(nonce);
    out.bytes.resize(game_query_size, '\0');
    return out.bytes;
}

std::string encode_answer(const game_answer& answer)
{
    if (!is_listable(answer.listing) || answer.version < 1 || answer.version > 255)
        return "";
    byte_writer out;
    out.byte(answer_magic[0]);
    out.byte(answer_magic[1]);
    out.u32(answer.nonce);
    out.byte(static_cast<std::uint8_t>(answer.version));
    out.byte(answer.listing.playing ? in_match : in_lobby);
    out.byte(static_cast<std::uint8_t>(answer.listing.players));
    out.text(answer.listing.name);
    out.text(answer.listing.map);
    return out.bytes;
}

bool looks_like_query(const std::uint8_t* data, std::size_t size)
{
    return starts_with(data, size, query_magic);
}

// The padding is not read, so that a later finder may say more in it.
bool decode_query(const std::uint8_t* data, std::size_t size, std::uint32_t& nonce, std::string& error)
{
    error.clear();
    if (!looks_like_query(data, size)) {
        error = "not a game query";
        return false;
    }
    if (size != game_query_size) {
        error = "a game query of " + std::to_string(size) + " bytes, not " + std::to_string(game_query_size);
        return false;
    }
    const std::string nonce_bytes(reinterpret_cast<const char*>(data) + magic_size, sizeof nonce);
    return byte_reader(nonce_bytes).u32(nonce);
}

bool decode_answer(const std::uint8_t* data, std::size_t size, game_answer& out, std::string& error)
{
    error.clear();
    if (!starts_with(data, size, answer_magic)) {
        error = "not a game answer";
        return false;
    }
    if (size > game_query_size) {
        error = "a game answer of " + std::to_string(size) + " bytes; at most " + std::to_string(game_query_size);
        return false;
    }
    out = game_answer();
    const std::string body(reinterpret_cast<const char*>(data) + magic_size, size - magic_size);
    return answer_parser(body, out, error).read();
}

// libFuzzer target: the finder's query and answer readers on any bytes at
// all, whole and behind each magic, so that the search spends its time in
// the answer's body. Besides memory and undefined-behaviour faults, it stops
// on an accepted answer that breaks the listing's limits, is larger than a
// query, or does not write back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "match/match_limits.h"
#include "match/match_shape.h"
#include "net/game_query.h"

namespace {

void require(bool promise)
{
    if (!promise)
        std::abort();
}

void read_datagram(const std::string& bytes)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::string error;
    std::uint32_t nonce = 0;
    if (decode_query(data, bytes.size(), nonce, error))
        require(bytes.size() == game_query_size && error.empty());
    else
        require(!error.empty() && error.find('\n') == std::string::npos);

    game_answer answer;
    if (!decode_answer(data, bytes.size(), answer, error)) {
        require(!error.empty() && error.find('\n') == std::string::npos);
        return;
    }
    require(error.empty() && bytes.size() <= game_query_size);
    require(is_player_name(answer.listing.name) && is_map_name(answer.listing.map));
    require(answer.listing.players >= 0 && answer.listing.players <= max_players);
    require(answer.version >= 1 && answer.version <= 255);
    require(encode_answer(answer) == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    read_datagram(bytes);
    read_datagram("ZA" + bytes);
    read_datagram("ZQ" + bytes);
    return 0;
}

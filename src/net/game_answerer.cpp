#include "net/game_answerer.h"

#include "net/net_messages.h"

bool answer_budget::take(clock::time_point now)
{
    if (used < per_second) {
        taken[used++] = now;
        return true;
    }
    if (now - taken[oldest] < std::chrono::seconds(1))
        return false;
    taken[oldest] = now;
    oldest = (oldest + 1) % per_second;
    return true;
}

void game_answerer::set_listing(const game_listing& listing)
{
    listing_set = is_listable(listing);
    if (listing_set)
        listed = listing;
}

std::string game_answerer::answer(const std::uint8_t* data, std::size_t size, answer_budget::clock::time_point now)
{
    game_answer reply;
    std::string error;
    if (!listing_set || !decode_query(data, size, reply.nonce, error) || !budget.take(now))
        return "";
    reply.version = net_protocol_version;
    reply.listing = listed;
    return encode_answer(reply);
}

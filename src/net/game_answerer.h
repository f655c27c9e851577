// A host's side of finding games: it answers the finders' queries with its
// listing, at most 20 a second, so that its open port cannot be used to
// flood a third party whose address a query forged. A pure value on a
// clock the caller passes in; net_link hands it the datagrams.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/game_query.h"

// At most `per_second` takes in any second: the oldest of the last ones
// must be a second old before another is taken.
class answer_budget {
public:
    using clock = std::chrono::steady_clock;
    static const int per_second = 20;

    bool take(clock::time_point now);

private:
    std::array<clock::time_point, per_second> taken{};
    int used = 0;  // how many of `taken` hold a time, up to per_second
    int oldest = 0;
};

class game_answerer {
public:
    // Until a listable listing is set, no query is answered.
    void set_listing(const game_listing& listing);
    // The answer to a datagram: empty when it is not a whole query, or the
    // budget is spent.
    std::string answer(const std::uint8_t* data, std::size_t size, answer_budget::clock::time_point now);

private:
    game_listing listed;
    bool listing_set = false;
    answer_budget budget;
};

#include "net/hash_check.h"

#include <algorithm>
#include <iterator>

#include "net/reading_relay.h"

void hash_check::new_match()
{
    next = rollback_match::hash_every;
    for (told& peer : peers)
        peer = told();
}

bool hash_check::next_to_tell(const rollback_match& match, net_hash& hash)
{
    if (!match.final_hash(next, hash.hash))
        return false;
    hash.tick = next;
    next += rollback_match::hash_every;
    return true;
}

std::string hash_check::take(int peer, const net_hash& hash, std::uint32_t our_tick)
{
    told& from = peers[peer];
    if (hash.tick == 0 || hash.tick % rollback_match::hash_every != 0)
        return "a hash for tick " + std::to_string(hash.tick) + ", where none is taken";
    if (hash.tick <= from.agreed || hash.tick > our_tick + reading_relay::most_taken_ahead)
        return "a hash for tick " + std::to_string(hash.tick) + ", long past or far ahead";
    // What a peer tells of a tick stands: it tells each hash once.
    if (!from.hashes.emplace(hash.tick, hash.hash).second)
        return "a second hash for tick " + std::to_string(hash.tick);
    if (from.hashes.size() > most_told)
        from.hashes.erase(std::prev(from.hashes.end()));
    return "";
}

std::uint32_t hash_check::differs_at(int peer, const rollback_match& match)
{
    told& other = peers[peer];
    while (!other.hashes.empty()) {
        const auto first = other.hashes.begin();
        const std::uint32_t at = first->first;
        std::uint64_t own = 0;
        if (!match.final_hash(at, own))
            return 0;
        const std::uint64_t was_told = first->second;
        other.hashes.erase(first);
        if (own != was_told)
            return at;
        other.agreed = std::max(other.agreed, at);
    }
    return 0;
}

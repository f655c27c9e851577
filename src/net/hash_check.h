// The check that every peer's match is the same: the hash of each hundredth
// tick, told to the others once it is final here, and theirs compared with
// ours as ours become final. A value over a rollback_match, built without a
// network.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "net/net_messages.h"
#include "net/net_transport.h"
#include "net/rollback.h"

class hash_check {
public:
    // A new peer: nothing told yet.
    void forget(int peer) { peers[peer] = told(); }
    // A new match: nothing told, nothing sent.
    void new_match();

    // This peer's next hash to tell, once it is final; false until then.
    bool next_to_tell(const rollback_match& match, net_hash& hash);
    // A hash `peer` told; "" when it is taken, else why it is refused.
    std::string take(int peer, const net_hash& hash, std::uint32_t our_tick);
    // Compares what `peer` told with ours as far as ours are final: the
    // first tick they differ, or 0.
    std::uint32_t differs_at(int peer, const rollback_match& match);
    // The last tick `peer`'s hash was the same as ours.
    std::uint32_t agreed(int peer) const { return peers[peer].agreed; }

private:
    // An honest peer tells one or two hashes we cannot check yet.
    static constexpr std::size_t most_told = 4;
    struct told {
        std::map<std::uint32_t, std::uint64_t> hashes;  // by tick
        std::uint32_t agreed = 0;
    };

    std::uint32_t next = rollback_match::hash_every;
    told peers[net_transport::most_joiners + 1];
};

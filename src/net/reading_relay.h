// The relaying of readings: what each peer has of each slot's controls, and
// the next inputs message to it. A joiner sends the host its own readings;
// the host, the hub, sends each peer everyone's but that peer's own. Each
// reading goes in several packets in a row so that a lost one costs
// nothing; a peer that has not moved on for a while is sent again what it
// lacks, as much as an honest peer can lack. The hub trusts no joiner: it
// takes a joiner's readings for its own slot only, and only so far ahead of
// its own tick.
// A value over a rollback_match, built without a network.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "match/match_shape.h"
#include "net/net_messages.h"
#include "net/net_transport.h"
#include "net/rollback.h"

class reading_relay {
public:
    using clock = net_transport::clock;
    // The hub takes a joiner's readings up to this many ticks (2 s) ahead
    // of its own tick, and no further.
    static constexpr std::uint32_t most_taken_ahead = 2 * ticks_a_second;
    // Each reading goes in this many packets to each peer.
    static constexpr std::uint32_t sends_of_each = 4;
    // A peer that has not moved on for this long is sent again what it
    // lacks, as much as an honest peer can lack: it cannot run further
    // ahead of what it knows than the match lets it.
    static constexpr std::chrono::milliseconds resend_after{200};
    static constexpr std::uint32_t most_resent = 2 * rollback_match::most_ahead + 48;

    // The host's relay, or a joiner's.
    explicit reading_relay(bool as_hub = false) : hub(as_hub) {}
    bool is_hub() const { return hub; }
    // A new peer, or a new match: nothing known.
    void forget(int peer) { peers[peer] = peer_state(); }
    void forget_all();
    // A player come late takes `slot` from `tick`: every peer that knows
    // the match has its readings before that.
    void entered(int slot, std::uint32_t tick);

    // The next inputs message to `peer`, which plays `their_slot` (-1 none),
    // from this peer, which plays `own_slot`: the readings it lacks, and
    // what this peer has of the slots it sends.
    net_inputs next_for(int peer, int their_slot, int own_slot, const rollback_match& match, clock::time_point at);
    // An inputs message from `peer`, which plays `their_slot`: what it has,
    // its tick, and the readings this peer may take into `match`. Why any
    // were refused goes in `refused`.
    void take(int peer, int their_slot, const net_inputs& inputs, rollback_match& match, clock::time_point at,
              std::vector<std::string>& refused);

    // The first tick of `slot` that `peer` still lacks, as it last said.
    std::uint32_t has_until(int peer, int slot) const { return peers[peer].have_until[slot]; }
    // The peer's tick as it last said.
    std::uint32_t sender_tick(int peer) const { return peers[peer].sender_tick; }

private:
    struct peer_state {
        std::uint32_t have_until[net_max_slots] = {};
        // For each slot, the tick after the last reading sent it as each of
        // the last `sends_of_each` packets left (packets_to counts them),
        // and when its have_until last moved on.
        std::uint32_t sent_until[net_max_slots][sends_of_each] = {};
        std::uint32_t packets_to = 0;
        clock::time_point moved_on[net_max_slots] = {};
        std::uint32_t sender_tick = 0;
    };

    bool hub;
    peer_state peers[net_transport::most_joiners + 1];
};

// What a network session needs of the network: numbered peers, packets
// sent reliably or not, and events to take. The real one is net_link over
// ENet; the session's tests put a scripted one in its place, with a clock
// they move by hand.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "net/game_query.h"

struct net_event {
    enum kind { connected, received, disconnected };
    kind what = received;
    int peer = 0;      // on the host 1..19 in the order they connected; on a joiner 0, the host
    std::string data;  // a received packet
};

class net_transport {
public:
    using clock = std::chrono::steady_clock;
    // Ten players and eight watchers beside a playing host, or eleven
    // players and eight watchers on a server.
    static const int most_joiners = 19;

    virtual ~net_transport() = default;
    virtual void send(int peer, const std::string& packet, bool reliable) = 0;
    // Waits up to `wait_ms` for the first event, then takes every event waiting.
    virtual void poll(std::vector<net_event>& events, int wait_ms) = 0;
    // Lets a peer go gently, after what is queued for it.
    virtual void disconnect(int peer) = 0;
    // Sends what is queued and closes every connection.
    virtual void close() = 0;
    // The packets' own bytes handed to the network so far.
    virtual std::uint64_t bytes_sent() const = 0;
    // For tests: lose and delay this end's own sends.
    virtual void simulate(int /*lose_percent*/, int /*delay_ms*/, std::uint32_t /*seed*/) {}
    // What a host answers the finders of games on the local network.
    virtual void set_listing(const game_listing& /*listing*/) {}
    // Round trip to a peer in milliseconds; -1 when not known.
    virtual int round_trip_ms(int /*peer*/) const { return -1; }
    // The time the session goes by.
    virtual clock::time_point now() const { return clock::now(); }
};

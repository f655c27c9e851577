// One end of the network over ENet: the host, which joiners connect to, or
// a joiner connected to one host. Packets go as they are; reliable ones
// arrive once and in order, unreliable ones may not arrive at all.
//
// For tests, a link can lose a share of its own unreliable sends and delay
// all of its sends by a fixed time.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "net/game_answerer.h"
#include "net/net_transport.h"

// ENet's own types, so that only net_link.cpp includes ENet.
struct _ENetHost;
struct _ENetPeer;
struct _ENetEvent;

class net_link : public net_transport {
public:
    static const std::uint16_t default_port = 27960;

    net_link() = default;
    net_link(const net_link&) = delete;
    net_link& operator=(const net_link&) = delete;
    ~net_link();

    // Listens on `port` of every address. False, with a reason, when it cannot.
    bool listen(std::uint16_t port, std::string& error);
    // Starts connecting to `address` ("name" or "a.b.c.d"); a connected or
    // disconnected event tells how it went.
    bool connect(const std::string& address, std::uint16_t port, std::string& error);
    void send(int peer, const std::string& packet, bool reliable) override;
    // Waits up to `wait_ms` for the first event, then takes every event
    // waiting, and sends what the delay held back once it is due. A peer not
    // heard from for 3 s is dropped with a disconnected event, so a link
    // must be polled at least that often.
    void poll(std::vector<net_event>& events, int wait_ms = 0) override;
    // Lets a peer go gently (it hears a disconnect); the host may drop one joiner.
    void disconnect(int peer) override;
    // Sends what is queued and closes every connection, waiting up to a
    // second for the peers to hear it.
    void close() override;

    // Loses `lose_percent` of the unreliable sends from now on, drawn from
    // the link's own numbers started at `seed`, and holds every send for
    // `delay_ms` before handing it to ENet.
    void simulate(int lose_percent, int delay_ms, std::uint32_t seed) override;
    // The packets' own bytes handed to ENet so far (neither the lost nor the
    // held ones, nor ENet's headers).
    std::uint64_t bytes_sent() const override { return sent; }
    // A host answers the finders' queries on its port with this listing.
    void set_listing(const game_listing& listing) override { answerer.set_listing(listing); }
    // Round trip to a peer in milliseconds as ENet measures it; -1 for no
    // such peer.
    int round_trip_ms(int peer) const override;

private:

    // A send the delay holds back until `due`.
    struct held_send {
        clock::time_point due;
        int peer = 0;
        std::string packet;
        bool reliable = false;
    };

    bool open(const char* verb, std::string& error);
    void limit_what_peers_may_cost();
    static void keep_every_unreliable_send(_ENetPeer* peer);
    _ENetPeer* peer_of(int peer) const;
    int number_for_newcomer();
    int number_of(const _ENetPeer* peer) const;
    void hand_over(int peer, const std::string& packet, bool reliable);
    // Hands over the held sends that are due, or every one.
    void send_held(bool every_one);
    void take(_ENetEvent& event, std::vector<net_event>& events);
    void drop_the_silent(std::vector<net_event>& events);
    bool lost();

    _ENetHost* host = nullptr;
    bool hosting = false;
    // By peer number; a joiner's host is number 0.
    _ENetPeer* peers[most_joiners + 1] = {};
    // When each peer connected or last sent a packet, on ENet's clock.
    std::uint32_t heard_at[most_joiners + 1] = {};
    int joiners_numbered = 0;
    int lose_percent = 0;
    std::chrono::milliseconds delay{0};
    std::uint32_t loss_state = 1;
    std::deque<held_send> held;
    std::uint64_t sent = 0;
    game_answerer answerer;
};

// The links a session opens over: a host's, listening for joiners on
// `port`, or a joiner's, connecting to the host at `address`. Null, with a
// reason, when it cannot be had.
std::unique_ptr<net_transport> link_for_host(std::uint16_t port, std::string& error);
std::unique_ptr<net_transport> link_to_host(const std::string& address, std::uint16_t port, std::string& error);

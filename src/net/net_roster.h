// Who is where in a network session: each peer at the other end of the
// link with its one role and, while it plays, its fighter's slot; this
// peer's own role and slot; and the humans by slot, as the lobby and the
// match list them. The host keeps its slots here: given in joining order,
// moving up when one leaves the lobby, ordered again on the way back to it,
// and the room left to play or watch. Whatever stays with a peer for as
// long as it is connected (a ban, a mute) belongs on its entry here.
// A value, built without a network.
#pragma once

#include <string>
#include <vector>

#include "net/net_messages.h"
#include "net/net_transport.h"

// On a joiner, its one peer: the host it joined.
constexpr int host_peer = 0;

// What a peer at the other end of the link is to this one.
enum class peer_role {
    absent,            // no connection
    nameless,          // connected, no hello yet
    player,            // plays the fighter in its slot
    watcher,           // watches, with no fighter
    coming_in,         // came into the match under way to play: catching up on the match so far
    waiting_for_next,  // came late and found no fighter free: watches, and plays in the next match
    host,              // on a joiner: the host it joined
};

// What this peer is.
enum class own_role {
    host,                 // opened the lobby and plays slot 0
    server,               // opened the lobby with no fighter of its own
    player,               // joined to play (with no slot while a match under way is on its way)
    watcher,              // joined to watch
    coming_in,            // joined the match under way to play: steps through the match so far
    waiting_for_fighter,  // caught up and said so: waits to be named a fighter, or for the next match
    catching_up,          // named a fighter, still behind the host
};

// A set of peer roles, to pick the peers a loop is about.
class peer_roles {
public:
    constexpr peer_roles(peer_role role) : bits(1u << static_cast<unsigned>(role)) {}
    constexpr peer_roles operator|(peer_roles other) const { return peer_roles(bits | other.bits); }
    constexpr bool has(peer_role role) const { return (bits & peer_roles(role).bits) != 0; }

private:
    constexpr explicit peer_roles(unsigned set) : bits(set) {}
    unsigned bits;
};

constexpr peer_roles operator|(peer_role a, peer_role b)
{
    return peer_roles(a) | b;
}

// The sets of roles the session's loops and rules are about.
namespace roles {
// Joiners that said hello: the host sends them the lobby and the match.
constexpr peer_roles greeted = peer_role::player | peer_role::watcher | peer_role::coming_in | peer_role::waiting_for_next;
// The peers whose controls this peer's match takes: a host's players, a joiner's host.
constexpr peer_roles playing_with = peer_role::player | peer_role::host;
// The peers sent this peer's readings and hashes: a host's watchers too.
constexpr peer_roles sharing_the_match = greeted | peer_role::host;
// Every peer at the other end of a connection.
constexpr peer_roles connected = greeted | peer_role::nameless | peer_role::host;
}  // namespace roles

class net_roster {
public:
    using clock = net_transport::clock;
    static constexpr int most_peers = net_transport::most_joiners + 1;

    // A fresh roster: nobody connected, this peer in `role` at `slot`.
    void open(own_role role, int slot);
    own_role own() const { return self; }
    void become(own_role role) { self = role; }
    // The host or a server: the hub every joiner talks to.
    bool hosts() const { return self == own_role::host || self == own_role::server; }
    // This peer's fighter's slot; -1 for none.
    int own_slot() const { return self_slot; }
    void set_own_slot(int slot) { self_slot = slot; }

    // The humans by slot.
    const std::vector<net_player>& humans() const { return by_slot; }
    void set_humans(const std::vector<net_player>& humans) { by_slot = humans; }
    void add_human(const net_player& look) { by_slot.push_back(look); }

    peer_role role(int peer) const { return peers[peer].role; }
    bool is(int peer, peer_roles roles) const { return roles.has(peers[peer].role); }
    // A player's slot, -1 for any other.
    int slot(int peer) const { return peers[peer].role == peer_role::player ? peers[peer].slot : -1; }
    // Who came in late, as it said in its hello.
    const net_player& look(int peer) const { return peers[peer].look; }
    clock::time_point connected_at(int peer) const { return peers[peer].connected_at; }
    // The player in `slot`, or -1.
    int peer_in(int slot) const;
    int count(peer_roles roles) const;
    // How the host's messages name a peer.
    std::string who(int peer) const;

    // A new connection: the host a joiner joined, or a joiner not yet named.
    void connected(int peer, clock::time_point at);
    // Gone: the slot it played in, or -1.
    int gone(int peer);
    void set_role(int peer, peer_role role) { peers[peer].role = role; }
    // A hello to the lobby: a watcher, or the next slot's player. False,
    // with why not, when there is no room.
    bool greet(int peer, const net_hello& hello, int most_players, int most_watchers, std::string& why_not);
    // A hello to the match under way, to watch or to play (in the next
    // match if `now` is false); the host has checked the room.
    void greet_late(int peer, const net_hello& hello, bool now);
    // A player come late takes `slot`.
    void seat(int peer, int slot);
    // A player left the lobby: the later ones move up a slot, so that slots
    // stay in joining order.
    void close_up(int slot);
    // The same players in the order they joined, less whoever left, and
    // then those still coming in, as many as may play; the peers with no
    // room left.
    std::vector<int> back_to_lobby(int most_players);
    // Whether one more may come into the match under way beside those
    // coming in (but `asking`): a bot's fighter free to take over among
    // `fighters`, of which `in_match` are humans', and room for a player.
    bool room_to_come_in(int in_match, int fighters, int most_players, std::string& why_not, int asking = -1) const;
    // Room to watch, for a watcher or a player come late who waits.
    bool room_to_watch(int most_watchers) const;
    // The humans the finders of games are told of.
    int players() const { return count(peer_role::player) + (self == own_role::host ? 1 : 0); }

    // The peers in any of `roles`, lowest first: `for (int peer : roster.peers_in(roles::greeted))`.
    class peer_range {
    public:
        class iterator {
        public:
            iterator(const net_roster& roster, peer_roles in, int first) : of(roster), roles(in), peer(first)
            {
                skip();
            }
            int operator*() const { return peer; }
            iterator& operator++()
            {
                peer++;
                skip();
                return *this;
            }
            bool operator!=(const iterator& other) const { return peer != other.peer; }

        private:
            void skip()
            {
                while (peer < most_peers && !of.is(peer, roles))
                    peer++;
            }
            const net_roster& of;
            peer_roles roles;
            int peer;
        };
        iterator begin() const { return iterator(of, roles, 0); }
        iterator end() const { return iterator(of, roles, most_peers); }

        const net_roster& of;
        peer_roles roles;
    };
    peer_range peers_in(peer_roles roles) const { return {*this, roles}; }

private:
    struct entry {
        peer_role role = peer_role::absent;
        int slot = -1;
        net_player look;
        clock::time_point connected_at{};
    };

    own_role self = own_role::player;
    int self_slot = 0;
    std::vector<net_player> by_slot;
    entry peers[most_peers];
};

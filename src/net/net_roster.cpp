#include "net/net_roster.h"

#include <algorithm>

void net_roster::open(own_role role, int slot)
{
    self = role;
    self_slot = slot;
    by_slot.clear();
    for (entry& peer : peers)
        peer = entry{};
}

int net_roster::peer_in(int slot) const
{
    for (int peer : peers_in(peer_role::player))
        if (peers[peer].slot == slot)
            return peer;
    return -1;
}

int net_roster::count(peer_roles roles) const
{
    int counted = 0;
    for (const entry& peer : peers)
        counted += roles.has(peer.role);
    return counted;
}

std::string net_roster::who(int peer) const
{
    switch (peers[peer].role) {
    case peer_role::host: return "the host";
    case peer_role::watcher: return "watcher " + std::to_string(peer);
    case peer_role::coming_in:
    case peer_role::waiting_for_next: return peers[peer].look.name + ", coming in";
    case peer_role::player: return "player " + std::to_string(peers[peer].slot + 1);
    case peer_role::absent:
    case peer_role::nameless: break;
    }
    return hosts() ? "joiner " + std::to_string(peer) : "the host";
}

void net_roster::connected(int peer, clock::time_point at)
{
    peers[peer] = entry{};
    peers[peer].role = hosts() ? peer_role::nameless : peer_role::host;
    peers[peer].connected_at = at;
}

int net_roster::gone(int peer)
{
    const int was = slot(peer);
    peers[peer].role = peer_role::absent;
    peers[peer].slot = -1;
    return was;
}

bool net_roster::greet(int peer, const net_hello& hello, int most_players, int most_watchers, std::string& why_not)
{
    if (hello.watching) {
        if (count(peer_role::watcher) >= most_watchers) {
            why_not = "no room to watch: " + std::to_string(most_watchers) + " are watching";
            return false;
        }
        peers[peer].role = peer_role::watcher;
        return true;
    }
    if (static_cast<int>(by_slot.size()) >= std::min(most_players, net_max_slots)) {
        why_not = "the match is full";
        return false;
    }
    seat(peer, static_cast<int>(by_slot.size()));
    by_slot.push_back(hello.look);
    return true;
}

void net_roster::greet_late(int peer, const net_hello& hello, bool now)
{
    peers[peer].role = hello.watching ? peer_role::watcher : now ? peer_role::coming_in : peer_role::waiting_for_next;
    peers[peer].look = hello.look;
}

void net_roster::seat(int peer, int slot)
{
    peers[peer].role = peer_role::player;
    peers[peer].slot = slot;
}

void net_roster::close_up(int slot)
{
    by_slot.erase(by_slot.begin() + slot);
    for (entry& later : peers)
        if (later.role == peer_role::player && later.slot > slot)
            later.slot--;
}

std::vector<int> net_roster::back_to_lobby(int most_players)
{
    std::vector<net_player> staying;
    const bool own_fighter = self == own_role::host;
    if (own_fighter)
        staying.push_back(by_slot.front());
    for (int slot = own_fighter ? 1 : 0; slot < static_cast<int>(by_slot.size()); slot++) {
        const int peer = peer_in(slot);
        if (peer < 0)
            continue;
        peers[peer].slot = static_cast<int>(staying.size());
        staying.push_back(by_slot[static_cast<std::size_t>(slot)]);
    }
    std::vector<int> no_room;
    for (int peer : peers_in(peer_role::coming_in | peer_role::waiting_for_next)) {
        if (static_cast<int>(staying.size()) >= std::min(most_players, net_max_slots)) {
            peers[peer].role = peer_role::nameless;  // turned away
            no_room.push_back(peer);
            continue;
        }
        seat(peer, static_cast<int>(staying.size()));
        staying.push_back(peers[peer].look);
    }
    by_slot = staying;
    return no_room;
}

bool net_roster::room_to_come_in(int in_match, int fighters, int most_players, std::string& why_not, int asking) const
{
    int coming = 0;
    for (int peer : peers_in(peer_role::coming_in))
        coming += peer != asking;
    const int playing = players();
    if (in_match + coming >= fighters) {
        why_not = "no bot's fighter is left to take over";
        return false;
    }
    if (playing + coming >= std::min(most_players, net_max_slots)) {
        why_not = "the match is full";
        return false;
    }
    return true;
}

bool net_roster::room_to_watch(int most_watchers) const
{
    return count(peer_role::watcher | peer_role::waiting_for_next) < most_watchers;
}

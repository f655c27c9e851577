#include "net/net_session.h"

#include <algorithm>
#include <cstdio>

#include "net/net_recording.h"
#include "net/net_wire.h"

#include "fighters/cplayer.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/control.h"

namespace {

const char* const other_version_host = "the host runs another version of ZK3";

bool is_chat(const std::uint8_t* data, std::size_t size)
{
    return size >= net_wire::header_size && data[0] == net_wire::magic[0] && data[1] == net_wire::magic[1] &&
           data[3] == static_cast<std::uint8_t>(net_kind::chat);
}

// The bots the host chose, as many as there are fighters beside its humans.
int bots_beside(const lobby_offer& offer, const std::vector<net_player>& humans)
{
    return std::max(0, std::min(offer.bots, net_max_slots - static_cast<int>(humans.size())));
}

}  // namespace

void net_session::open(std::unique_ptr<net_transport> network, own_role role, const net_player& look)
{
    link = std::move(network);
    roster.open(role, role == own_role::server ? -1 : 0);
    relay = reading_relay(roster.hosts());
    own_look = look;
    chat.clear();
    own_lines = line_rate();
    if (!roster.hosts()) {
        current_phase = phase::connecting;
        return;
    }
    roster.set_humans(role == own_role::host ? std::vector<net_player>{look} : std::vector<net_player>{});
    current_phase = phase::lobby;
    listed = game_listing();  // a new link has heard nothing yet
}

void net_session::offer(const lobby_offer& next)
{
    offered = next;
    if (offered.map_name.empty())
        offered.map_name = lobby_offer().map_name;
    if (roster.hosts() && current_phase == phase::lobby)
        send_lobby();
}

void net_session::poll(int wait_ms)
{
    if (!link)
        return;
    std::vector<net_event> events;
    link->poll(events, wait_ms);
    for (const net_event& event : events)
        take(event);
    // What the finders of games are told, once it has changed.
    const game_listing now = listing_of(offered, own_look, roster.players(), current_phase == phase::playing,
                                        started.map_name);
    if (roster.hosts() && !(now == listed)) {
        listed = now;
        link->set_listing(listed);
    }
    // A peer whose match went another way than ours: the host plays on
    // with the others, a joiner's match ends.
    for (int peer : roster.peers_in(roles::connected)) {
        const std::uint32_t at = current_phase == phase::playing ? hashes.differs_at(peer, match) : 0;
        if (at == 0)
            continue;
        const std::string reason = "out of step at tick " + std::to_string(at);
        if (roster.hosts())
            let_go(peer, "your match went " + reason);
        else
            end(reason);
    }
    if (roster.hosts())
        for (const auto& [peer, reason] : peer_guards::overstayed(roster, link->now()))
            let_go(peer, reason);
    report_refusals(false);
}

void net_session::take(const net_event& event)
{
    if (event.peer < 0 || event.peer > net_transport::most_joiners)
        return;
    const int peer = event.peer;
    peer_guard& from = guards[peer];
    const auto at = link->now();
    switch (event.what) {
    case net_event::connected:
        roster.connected(peer, at);
        from.connected(at);
        relay.forget(peer);
        hashes.forget(peer);
        pace.forget(peer);
        if (!roster.hosts() && current_phase == phase::connecting) {
            net_hello hello;
            hello.look = own_look;
            hello.watching = roster.own() == own_role::watcher;
            link->send(host_peer, encode(hello), true);
        }
        return;
    case net_event::disconnected:
        lost(peer);
        return;
    case net_event::received:
        break;
    }
    // A joiner may send so much a second; the rest is not even read.
    if (roster.hosts() && !from.allowance.take(event.data.size(), at)) {
        const std::string beyond =
            "more than " + std::to_string(static_cast<int>(intake_allowance::per_second / 1024)) + " KB a second";
        if (from.allowance.flooding() && roster.is(peer, roles::connected))
            let_go(peer, "you sent " + beyond);
        else
            refuse(peer, beyond);
        return;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(event.data.data());
    std::uint8_t version = 0;
    if (is_other_version(bytes, event.data.size(), version)) {
        other_version_from(peer, version, is_hello(bytes, event.data.size()));
        return;
    }
    net_message message;
    std::string error;
    if (!decode(bytes, event.data.size(), message, error)) {
        refuse(peer, error);
        // A joiner's line the reader refused earns a note too.
        if (roster.hosts() && is_chat(bytes, event.data.size()) && rule_for(peer, net_kind::chat))
            note_to(peer, bad_line_note);
        return;
    }
    take_message(peer, message);
}

// The bye's layout is the same in every version, so a joiner of another
// version can read why it is turned away, in its own version's header.
void net_session::other_version_from(int peer, std::uint8_t version, bool hello)
{
    if (!roster.hosts()) {
        end(other_version_host);
        return;
    }
    // One that already plays spoke this version: this is noise, not news.
    if (!hello || roster.slot(peer) >= 0) {
        refuse(peer, "protocol version " + std::to_string(version) + "; this game speaks " +
                         std::to_string(net_protocol_version));
        return;
    }
    notice = "a player of another version of ZK3 tried to join";
    std::fprintf(stderr, "ZK3: %s (protocol version %d; this game speaks %d)\n", notice.c_str(), version,
                 net_protocol_version);
    net_bye bye;
    bye.why = other_version_host;
    link->send(peer, encode_bye_for(version, bye), true);
    link->disconnect(peer);
    roster.gone(peer);
}

void net_session::refuse(int peer, const std::string& reason)
{
    guards[peer].refusals.add(reason, link->now());
}

// At most one line a second for each peer, however much it sends.
void net_session::report_refusals(bool all_now)
{
    const auto at = link ? link->now() : net_transport::clock::now();
    for (int peer = 0; peer < net_roster::most_peers; peer++) {
        const std::string line = guards[peer].refusals.line_due(roster.who(peer), at, all_now);
        if (!line.empty())
            std::fprintf(stderr, "ZK3: %s\n", line.c_str());
    }
}

net_session::counts net_session::get_counts() const
{
    counts now;
    now.bytes_sent = link ? link->bytes_sent() : 0;
    now.skips = pace.skipped();
    now.refused = guards.refused();
    return now;
}

void net_session::send_raw(int peer, const std::string& packet, bool reliable)
{
    if (link)
        link->send(peer, packet, reliable);
}

void net_session::hello_from(int peer, const net_message& message)
{
    std::string why_not;
    if (!roster.greet(peer, message.hello, offered.most_players, most_watchers, why_not)) {
        let_go(peer, why_not);
        return;
    }
    send_lobby();
}

// In the match, the host's lobby after the end of it.
void net_session::lobby_from(int, const net_message& message)
{
    lobby_told = message.lobby;
    if (current_phase == phase::playing)
        forget_the_match();
    roster.set_humans(message.lobby.humans);
    roster.set_own_slot(message.lobby.your_slot == net_no_slot ? -1 : message.lobby.your_slot);
    // One that came too late for a match plays in the next.
    if (roster.own() != own_role::watcher)
        roster.become(own_role::player);
    current_phase = phase::lobby;
}

void net_session::start_from(int, const net_message& message)
{
    std::string error;
    if (!begin(message.start, error))
        end("the host's match cannot be played here: " + error);
}

void net_session::send_to(peer_roles roles, const std::string& packet)
{
    for (int peer : roster.peers_in(roles))
        link->send(peer, packet, true);
}

void net_session::send_lobby(int only)
{
    net_lobby lobby;
    lobby.humans = roster.humans();
    lobby.map_name = offered.map_name;
    lobby.bots = bots_beside(offered, roster.humans());
    lobby.skill = offered.skill;
    lobby.rules = offered.rules;
    lobby.host_plays = roster.own() == own_role::host;
    for (int peer : roster.peers_in(roles::greeted)) {
        if (only >= 0 && peer != only)
            continue;
        lobby.your_slot = roster.slot(peer) < 0 ? net_no_slot : roster.slot(peer);
        link->send(peer, encode(lobby), true);
    }
}

bool net_session::start_match(const std::string& map_name, const std::string& map_text, std::uint32_t seed,
                              std::string& error)
{
    if (!roster.hosts() || current_phase != phase::lobby) {
        error = "only the host starts the match, from the lobby";
        return false;
    }
    if (roster.humans().size() < (roster.own() == own_role::host ? 2u : 1u)) {
        error = "nobody has joined yet";
        return false;
    }
    const int bots = bots_beside(offered, roster.humans());
    if (roster.humans().size() + static_cast<std::size_t>(bots) < 2) {
        error = "a match needs two fighters at least";
        return false;
    }
    net_start start;
    start.seed = seed;
    start.skill = offered.skill;
    start.bots = bots;
    start.humans = roster.humans();
    start.map_name = map_name;
    start.map_text = map_text;
    start.rules = offered.rules;
    const std::string packet = encode(start);
    if (packet.empty()) {
        error = "the map cannot be packed to send (zlib failed)";
        return false;
    }
    if (!begin(start, error))
        return false;
    send_to(roles::greeted, packet);
    return true;
}

// Sets the match up exactly as every other peer does: the same map read
// through the game's own checks, the same settings, seed and lineup.
bool net_session::begin(const net_start& start, std::string& error)
{
    match_seat seat;
    seat.shown_slot = std::max(0, roster.own_slot());
    seat.aiming_slot = roster.own_slot();  // -1: a watcher aims at nothing
    if (!starter.start(start, seat, error))
        return false;
    started = start;
    roster.set_humans(start.humans);
    match.start(static_cast<int>(start.humans.size()), roster.own_slot());
    match.set_rules(start.rules);
    pace.new_match();
    over = false;
    chat.new_match();
    hashes.new_match();
    current_phase = phase::playing;
    return true;
}

int net_session::ping_ms(int slot) const
{
    if (!link || slot == roster.own_slot())
        return -1;
    if (!roster.hosts())
        return slot == 0 ? link->round_trip_ms(host_peer) : -1;
    const int peer = roster.peer_in(slot);
    return peer >= 0 ? link->round_trip_ms(peer) : -1;
}

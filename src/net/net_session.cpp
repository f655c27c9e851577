#include "net/net_session.h"

#include <algorithm>
#include <cstdio>

#include "net/net_link.h"
#include "net/net_recording.h"

#include "fighters/cplayer.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/control.h"

namespace {

const int host_peer = 0;  // on a joiner
const char* const other_version_host = "the host runs another version of ZK3";

}  // namespace

bool net_session::host(std::uint16_t port, const net_player& look, std::string& error)
{
    auto network = std::make_unique<net_link>();
    if (!network->listen(port, error))
        return false;
    host_over(std::move(network), look);
    return true;
}

bool net_session::serve(std::uint16_t port, std::string& error)
{
    auto network = std::make_unique<net_link>();
    if (!network->listen(port, error))
        return false;
    serve_over(std::move(network));
    return true;
}

bool net_session::join(const std::string& address, std::uint16_t port, const net_player& look,
                       std::string& error, bool to_watch)
{
    auto network = std::make_unique<net_link>();
    if (!network->connect(address, port, error))
        return false;
    join_over(std::move(network), look, to_watch);
    return true;
}

void net_session::host_over(std::unique_ptr<net_transport> network, const net_player& look)
{
    open(std::move(network), true, look);
    humans = {look};
    set_host_name(look.name);
    current_phase = phase::lobby;
    listed = game_listing();  // a new link has heard nothing yet
    list_game();
}

void net_session::serve_over(std::unique_ptr<net_transport> network)
{
    host_over(std::move(network), net_player{});
    humans.clear();
    own_fighter = false;
    local_slot = -1;
}

void net_session::join_over(std::unique_ptr<net_transport> network, const net_player& look, bool to_watch)
{
    open(std::move(network), false, look);
    watching = to_watch;
    current_phase = phase::connecting;
}

void net_session::open(std::unique_ptr<net_transport> network, bool as_host, const net_player& look)
{
    link = std::move(network);
    hosting = as_host;
    own_look = look;
    local_slot = 0;
    own_fighter = true;
    watching = false;
    coming_in = false;
    said_ready = false;
    catching_up = false;
    heard.clear();
    match_chat.clear();
    own_lines = line_rate();
}

void net_session::simulate(int lose_percent, int delay_ms, std::uint32_t seed)
{
    if (link)
        link->simulate(lose_percent, delay_ms, seed);
}

void net_session::poll(int wait_ms)
{
    if (!link)
        return;
    std::vector<net_event> events;
    link->poll(events, wait_ms);
    for (const net_event& event : events)
        take(event);
    if (hosting)
        list_game();
    if (current_phase == phase::playing)
        for (int peer = 0; peer <= net_transport::most_joiners; peer++)
            check_hash(peer);
    if (hosting)
        turn_away_the_nameless();
    report_refusals(false);
}

void net_session::take(const net_event& event)
{
    if (event.peer < 0 || event.peer > net_transport::most_joiners)
        return;
    remote& from = remotes[event.peer];
    const auto at = link->now();
    switch (event.what) {
    case net_event::connected:
        from = remote{};
        from.connected = true;
        from.connected_at = at;
        from.allowance.reset(at);
        from.hold_up.reset(at);
        if (!hosting && current_phase == phase::connecting) {
            net_hello hello;
            hello.look = own_look;
            hello.watching = watching;
            link->send(host_peer, encode(hello), true);
        }
        return;
    case net_event::disconnected:
        lost(event.peer);
        return;
    case net_event::received:
        break;
    }
    // A joiner may send so much a second; the rest is not even read.
    if (hosting && !from.allowance.take(event.data.size(), at)) {
        const std::string beyond =
            "more than " + std::to_string(static_cast<int>(intake_allowance::per_second / 1024)) + " KB a second";
        if (from.allowance.flooding() && from.connected)
            let_go(event.peer, "you sent " + beyond);
        else
            refuse(event.peer, beyond);
        return;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(event.data.data());
    std::uint8_t version = 0;
    if (is_other_version(bytes, event.data.size(), version)) {
        other_version_from(event.peer, version, is_hello(bytes, event.data.size()));
        return;
    }
    net_message message;
    std::string error;
    if (!decode(bytes, event.data.size(), message, error)) {
        refuse(event.peer, error);
        if (is_refused_line(event.peer, bytes, event.data.size()))
            note_to(event.peer, bad_line_note);
        return;
    }
    take_message(event.peer, message);
}

// The bye's layout is the same in every version, so a joiner of another
// version can read why it is turned away, in its own version's header.
void net_session::other_version_from(int peer, std::uint8_t version, bool hello)
{
    if (!hosting) {
        end(other_version_host);
        return;
    }
    // One that already plays spoke this version: this is noise, not news.
    if (!hello || remotes[peer].slot >= 0) {
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
    remotes[peer].connected = false;
}

void net_session::refuse(int peer, const std::string& reason)
{
    remotes[peer].refusals.add(reason, link->now());
}

std::string net_session::who(int peer) const
{
    if (!hosting)
        return "the host";
    const int slot = remotes[peer].slot;
    if (remotes[peer].watching)
        return "watcher " + std::to_string(peer);
    if (remotes[peer].coming_in)
        return remotes[peer].look.name + ", coming in";
    return slot >= 0 ? "player " + std::to_string(slot + 1) : "joiner " + std::to_string(peer);
}

// At most one line a second for each peer, however much it sends.
void net_session::report_refusals(bool all_now)
{
    const auto at = link ? link->now() : net_transport::clock::now();
    for (int peer = 0; peer <= net_transport::most_joiners; peer++) {
        const std::string line = remotes[peer].refusals.line_due(who(peer), at, all_now);
        if (!line.empty())
            std::fprintf(stderr, "ZK3: %s\n", line.c_str());
    }
}

std::uint64_t net_session::get_refused() const
{
    std::uint64_t total = 0;
    for (const remote& other : remotes)
        total += other.refusals.total();
    return total;
}

void net_session::send_raw(int peer, const std::string& packet, bool reliable)
{
    if (link)
        link->send(peer, packet, reliable);
}

void net_session::hello_from(int peer, const net_message& message)
{
    if (message.hello.watching) {
        if (watcher_count() >= most_watchers) {
            turn_away(peer, "no room to watch: " + std::to_string(most_watchers) + " are watching");
            return;
        }
        remotes[peer].watching = true;
        send_lobby();
        return;
    }
    if (static_cast<int>(humans.size()) >= std::min(most_players, net_max_slots)) {
        turn_away(peer, "the match is full");
        return;
    }
    remotes[peer].slot = static_cast<int>(humans.size());
    humans.push_back(message.hello.look);
    send_lobby();
}

// In the match, the host's lobby after the end of it.
void net_session::lobby_from(int, const net_message& message)
{
    lobby_told = message.lobby;
    if (current_phase == phase::playing)
        forget_the_match();
    humans = message.lobby.humans;
    local_slot = message.lobby.your_slot == net_no_slot ? -1 : message.lobby.your_slot;
    // One that came too late for a match plays in the next.
    coming_in = false;
    said_ready = false;
    catching_up = false;
    current_phase = phase::lobby;
}

void net_session::start_from(int, const net_message& message)
{
    std::string error;
    if (!begin(message.start, error))
        end("the host's match cannot be played here: " + error);
}

void net_session::turn_away(int peer, const std::string& reason)
{
    net_bye bye;
    bye.why = reason;
    link->send(peer, encode(bye), true);
    link->disconnect(peer);
    remotes[peer].connected = false;
}

void net_session::send_lobby(int only)
{
    net_lobby lobby;
    lobby.humans = humans;
    lobby.map_name = lobby_map_name();
    lobby.bots = lobby_bots();
    lobby.skill = chosen_skill;
    lobby.rules = next_rules;
    lobby.host_plays = own_fighter;
    for (int peer = 1; peer <= net_transport::most_joiners; peer++) {
        if (!greeted(peer) || (only >= 0 && peer != only))
            continue;
        lobby.your_slot = remotes[peer].slot < 0 ? net_no_slot : remotes[peer].slot;
        link->send(peer, encode(lobby), true);
    }
}

bool net_session::start_match(const std::string& map_name, const std::string& map_text, std::uint32_t seed,
                              std::string& error)
{
    if (!hosting || current_phase != phase::lobby) {
        error = "only the host starts the match, from the lobby";
        return false;
    }
    if (humans.size() < (own_fighter ? 2u : 1u)) {
        error = "nobody has joined yet";
        return false;
    }
    if (humans.size() + static_cast<std::size_t>(lobby_bots()) < 2) {
        error = "a match needs two fighters at least";
        return false;
    }
    net_start start;
    start.seed = seed;
    start.skill = chosen_skill;
    start.bots = lobby_bots();
    start.humans = humans;
    start.map_name = map_name;
    start.map_text = map_text;
    start.rules = next_rules;
    const std::string packet = encode(start);
    if (packet.empty()) {
        error = "the map cannot be packed to send (zlib failed)";
        return false;
    }
    if (!begin(start, error))
        return false;
    for (int peer = 1; peer <= net_transport::most_joiners; peer++)
        if (greeted(peer))
            link->send(peer, packet, true);
    return true;
}

// Sets the match up exactly as every other peer does: the same map read
// through the game's own checks, the same settings, seed and lineup.
bool net_session::begin(const net_start& start, std::string& error)
{
    match_seat seat;
    seat.shown_slot = std::max(0, local_slot);
    seat.aiming_slot = local_slot;  // -1: a watcher aims at nothing
    if (!starter.start(start, seat, error))
        return false;
    started = start;
    humans = start.humans;
    match.start(static_cast<int>(start.humans.size()), local_slot);
    match.set_rules(start.rules);
    delay_choice = input_delay_choice();
    over = false;
    match_chat.clear();
    next_hash = rollback_match::hash_every;
    current_phase = phase::playing;
    return true;
}

int net_session::lobby_bots() const
{
    return std::max(0, std::min(chosen_bots, net_max_slots - static_cast<int>(humans.size())));
}

void net_session::set_rules(const match_rules& new_rules)
{
    next_rules = new_rules;
    if (hosting && current_phase == phase::lobby)
        send_lobby();
}

int net_session::ping_ms(int slot) const
{
    if (!link || slot == local_slot)
        return -1;
    if (!hosting)
        return slot == 0 ? link->round_trip_ms(host_peer) : -1;
    for (int peer = 0; peer <= net_transport::most_joiners; peer++)
        if (remotes[peer].connected && remotes[peer].slot == slot)
            return link->round_trip_ms(peer);
    return -1;
}

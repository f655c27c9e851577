#include "net/net_session.h"

#include <cstdio>
#include <sstream>

#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/control.h"

namespace {

using steady = std::chrono::steady_clock;

const int host_peer = 0;  // on a joiner

}  // namespace

net_session::~net_session()
{
    if (settings_changed)
        options.restore(kept);
    if (now == phase::playing)
        device_slot = 0;
}

bool net_session::host(std::uint16_t port, const net_colors& look, std::string& error)
{
    if (!link.listen(port, error))
        return false;
    hosting = true;
    own_look = look;
    humans = {look};
    local_slot = 0;
    now = phase::lobby;
    return true;
}

bool net_session::join(const std::string& address, std::uint16_t port, const net_colors& look,
                       std::string& error)
{
    if (!link.connect(address, port, error))
        return false;
    hosting = false;
    own_look = look;
    now = phase::connecting;
    return true;
}

void net_session::poll(int wait_ms)
{
    std::vector<net_event> events;
    link.poll(events, wait_ms);
    for (const net_event& event : events)
        take(event);
    if (now == phase::playing)
        for (int peer = 0; peer <= net_link::most_joiners; peer++)
            check_hash(peer);
}

void net_session::take(const net_event& event)
{
    if (event.peer < 0 || event.peer > net_link::most_joiners)
        return;
    remote& from = remotes[event.peer];
    switch (event.what) {
    case net_event::connected:
        from = remote{};
        from.connected = true;
        from.heard = steady::now();
        if (!hosting && now == phase::connecting) {
            net_hello hello;
            hello.look = own_look;
            link.send(host_peer, encode(hello), true);
        }
        return;
    case net_event::disconnected:
        lost(event.peer);
        return;
    case net_event::received:
        break;
    }
    net_message message;
    std::string error;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(event.data.data());
    if (!decode(bytes, event.data.size(), message, error)) {
        std::fprintf(stderr, "ZK3: a packet dropped: %s\n", error.c_str());
        return;
    }
    from.heard = steady::now();
    take_message(event.peer, message);
}

void net_session::take_message(int peer, const net_message& message)
{
    // Each side takes only what the other side may send it, when it may.
    const bool from_joiner = hosting && remotes[peer].connected;
    const bool from_host = !hosting && peer == host_peer;
    bool fits = false;
    switch (message.kind) {
    case net_kind::hello:
        fits = from_joiner && now == phase::lobby && remotes[peer].slot < 0;
        if (fits) {
            hello_from(peer, message.hello);
        } else if (from_joiner && now == phase::playing && remotes[peer].slot < 0) {
            turn_away(peer, "the match has already begun");
            return;
        }
        break;
    case net_kind::lobby:
        fits = from_host && (now == phase::connecting || now == phase::lobby);
        if (fits) {
            humans = message.lobby.humans;
            local_slot = message.lobby.your_slot;
            now = phase::lobby;
        }
        break;
    case net_kind::start:
        fits = from_host && now == phase::lobby;
        if (fits) {
            std::string error;
            if (!begin(message.start, error))
                end("the host's match cannot be played here: " + error);
        }
        break;
    case net_kind::inputs:
        fits = (from_host || (from_joiner && remotes[peer].slot > 0)) && now == phase::playing;
        if (fits)
            inputs_from(peer, message.inputs);
        break;
    case net_kind::hash:
        fits = (from_host || (from_joiner && remotes[peer].slot > 0)) && now == phase::playing;
        if (fits)
            hash_from(peer, message.hash);
        break;
    case net_kind::leave:
        fits = from_host && now == phase::playing && message.leave.slot != local_slot;
        if (fits)
            match.leave(message.leave.slot, message.leave.tick);
        break;
    case net_kind::bye:
        fits = from_host || from_joiner;
        if (fits) {
            if (from_host)
                end(message.bye.why.empty() ? "the host left the match" : message.bye.why);
            else
                lost(peer);
        }
        break;
    }
    if (!fits)
        std::fprintf(stderr, "ZK3: a packet dropped: not expected from that peer now\n");
}

void net_session::hello_from(int peer, const net_hello& hello)
{
    if (static_cast<int>(humans.size()) >= net_max_slots) {
        turn_away(peer, "the match is full");
        return;
    }
    remotes[peer].slot = static_cast<int>(humans.size());
    humans.push_back(hello.look);
    send_lobby();
}

void net_session::turn_away(int peer, const std::string& reason)
{
    net_bye bye;
    bye.why = reason;
    link.send(peer, encode(bye), true);
    link.disconnect(peer);
    remotes[peer].connected = false;
}

void net_session::send_lobby()
{
    net_lobby lobby;
    lobby.humans = humans;
    char name[cmap::max_name_length + 1];
    map.get_name(options.get_level(), name, false);
    lobby.map_name = name[0] ? name : "unknown.zkm";
    lobby.bots = std::min(options.get_bots(), net_max_slots - static_cast<int>(humans.size()));
    lobby.skill = options.get_skill();
    for (int peer = 1; peer <= net_link::most_joiners; peer++) {
        if (!remotes[peer].connected || remotes[peer].slot < 0)
            continue;
        lobby.your_slot = remotes[peer].slot;
        link.send(peer, encode(lobby), true);
    }
}

bool net_session::start_match(const std::string& map_name, const std::string& map_text, std::uint32_t seed,
                              std::string& error)
{
    if (!hosting || now != phase::lobby) {
        error = "only the host starts the match, from the lobby";
        return false;
    }
    if (humans.size() < 2) {
        error = "nobody has joined yet";
        return false;
    }
    net_start start;
    start.seed = seed;
    start.skill = options.get_skill();
    start.bots = std::min(options.get_bots(), net_max_slots - static_cast<int>(humans.size()));
    start.humans = humans;
    start.map_name = map_name;
    start.map_text = map_text;
    if (!begin(start, error))
        return false;
    const std::string packet = encode(start);
    for (int peer = 1; peer <= net_link::most_joiners; peer++)
        if (remotes[peer].connected && remotes[peer].slot > 0)
            link.send(peer, packet, true);
    return true;
}

// Sets the match up exactly as every other peer does: the same map read
// through the game's own checks, the same settings, seed and lineup.
bool net_session::begin(const net_start& start, std::string& error)
{
    std::istringstream text(start.map_text);
    if (!map.read(text, start.map_name.c_str())) {
        error = map.get_error();
        return false;
    }
    if (!settings_changed)
        kept = options.get_kept();
    settings_changed = true;
    kept_settings played = kept;
    played.bots = std::max(start.bots, 1);
    played.skill = start.skill;
    options.restore(played);

    match_lineup lineup;
    lineup.humans = static_cast<int>(start.humans.size());
    lineup.bots = start.bots;
    for (int human = 0; human < lineup.humans; human++)
        for (int i = 0; i < 3; i++)
            lineup.colors[human][i] = start.humans[static_cast<std::size_t>(human)].colors[i];
    started = start;
    humans = start.humans;
    std::srand(start.seed);
    game.set_shown_slot(local_slot);
    game.start(lineup);
    device_slot = -1;
    match.start(lineup.humans, local_slot);
    next_hash = rollback_match::hash_every;
    now = phase::playing;
    return true;
}

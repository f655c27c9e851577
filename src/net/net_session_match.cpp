// The match part of a network session: controls and hashes each tick, the
// end, and the way back to the lobby.
#include <algorithm>
#include <cstdio>

#include "net/net_recording.h"
#include "net/net_session.h"

void net_session::tick(const control_reading& local)
{
    if (current_phase != phase::playing)
        return;
    pace.read(match, local, roster, link->now());
    // After the end only the sends go on: the others may still lack ours.
    if (!over) {
        const std::uint32_t waits_before = match.get_waits();
        bool stepped = false;
        switch (roster.own()) {
        case own_role::watcher:
        case own_role::coming_in:
        case own_role::waiting_for_fighter:
            stepped = pace.watch_steps(match) > 0;
            // A player come late says it is ready once it has stepped
            // through what it was sent.
            if (roster.own() == own_role::coming_in &&
                match_pace::stepped_through(match, relay.sender_tick(host_peer))) {
                link->send(host_peer, encode_ready(), true);
                roster.become(own_role::waiting_for_fighter);
            }
            break;
        case own_role::catching_up: {
            // Stepped only as far as was known, the player came in behind
            // the others; it steps on until it is where the host was half a
            // trip ago.
            stepped = match.advance();
            const int half_trip = std::max(0, link->round_trip_ms(host_peer)) / 20;
            const std::uint32_t target = relay.sender_tick(host_peer) + static_cast<std::uint32_t>(half_trip);
            if (pace.catch_up(match, local, roster, target, *link))
                roster.become(own_role::player);
            break;
        }
        case own_role::host:
        case own_role::server:
        case own_role::player:
            stepped = pace.step_or_skip(match, roster, relay);
            break;
        }
        pace.note_waiting(!stepped && match.get_waits() != waits_before, link->now());
        if (roster.hosts())
            for (const auto& [peer, reason] : guards.held_up(roster, match, link->now()))
                let_go(peer, reason);
        if (current_phase != phase::playing)
            return;
    }
    send_match();
    // The end, once it is final here.
    if (!over && match.final_result(result, over_at)) {
        over = true;
        pace.stop_waiting();
        over_since = link->now();
    }
    if (over && link->now() - over_since >= end_shown_for)
        return_to_lobby();
}

bool net_session::match_over(match_result& out, std::uint32_t& at) const
{
    if (!over || current_phase != phase::playing)
        return false;
    out = result;
    at = over_at;
    return true;
}

std::vector<int> net_session::waiting_for() const
{
    if (!link)
        return {};
    return pace.waiting_for(match, static_cast<int>(roster.humans().size()), link->now());
}

// The same players, in the order they joined, less whoever has left; the
// host's lobby as before the match, for the next one. Those still catching
// up on the match play in the next, as many as may.
void net_session::return_to_lobby()
{
    if (!roster.hosts() || current_phase != phase::playing)
        return;
    for (int peer : roster.back_to_lobby(offered.most_players))
        let_go(peer, "the match is full");
    forget_the_match();
    current_phase = phase::lobby;
    send_lobby();
}

// What each peer knew of the last match goes; who they are and what they
// may cost stays.
void net_session::forget_the_match()
{
    guards.next_match(link->now());
    relay.forget_all();
    hashes.new_match();
    pace.forget_the_match();
    over = false;
    starter.finish();
}

void net_session::send_match()
{
    const auto at = link->now();
    for (int peer : roster.peers_in(roles::sharing_the_match)) {
        const net_inputs inputs = relay.next_for(peer, roster.slot(peer), roster.own_slot(), match, at);
        link->send(peer, encode(inputs), false);
    }
    net_hash hash;
    while (hashes.next_to_tell(match, hash))
        send_to(roles::sharing_the_match, encode(hash));
}

void net_session::inputs_from(int peer, const net_message& message)
{
    const net_inputs& inputs = message.inputs;
    const int own = roster.own_slot();
    const auto at = link->now();
    if (own >= 0 && inputs.have_until[own] > relay.has_until(peer, own))
        pace.note_trip(peer, inputs.have_until[own], match, at);
    std::vector<std::string> refused;
    relay.take(peer, roster.slot(peer), inputs, match, at, refused);
    for (const std::string& reason : refused)
        refuse(peer, reason);
}

void net_session::hash_from(int peer, const net_message& message)
{
    // Compared with ours once the events are taken.
    const std::string refused = hashes.take(peer, message.hash, match.get_tick());
    if (!refused.empty())
        refuse(peer, refused);
}

bool net_session::all_agree_at(std::uint32_t last) const
{
    std::uint64_t own;
    if (current_phase != phase::playing || !match.final_hash(last, own))
        return false;
    for (int peer : roster.peers_in(roles::playing_with))
        if (hashes.agreed(peer) < last)
            return false;
    return true;
}

void net_session::lost(int peer)
{
    if (!roster.hosts() && current_phase == phase::connecting) {
        end("no answer from the host");
        return;
    }
    if (!roster.is(peer, roles::connected))
        return;
    const int slot = roster.gone(peer);
    if (!roster.hosts()) {
        if (current_phase != phase::ended)
            end("the host left the match");
        return;
    }
    if (slot < 0)
        return;
    if (current_phase == phase::lobby) {
        roster.close_up(slot);
        send_lobby();
        return;
    }
    if (current_phase != phase::playing)
        return;
    // From the first tick the host lacks, the fighter is a bot's on every peer.
    net_leave leave;
    leave.slot = slot;
    leave.tick = static_cast<std::uint32_t>(match.known(slot).size());
    match.leave(slot, leave.tick);
    send_to(roles::greeted, encode(leave));
    std::fprintf(stderr, "ZK3: slot %d left the match at tick %u; a bot plays on\n", slot, leave.tick);
}

// The host plays on without a joiner and tells it why: one that costs the
// others too much, or for whom there is no room.
void net_session::let_go(int peer, const std::string& reason)
{
    std::fprintf(stderr, "ZK3: %s: %s\n", roster.who(peer).c_str(), reason.c_str());
    lost(peer);
    net_bye bye;
    bye.why = reason.substr(0, net_max_bye);
    link->send(peer, encode(bye), true);
    link->disconnect(peer);
}

void net_session::end(const std::string& reason)
{
    const bool leaving = reason.empty();
    if (leaving && (current_phase == phase::ended || !link))
        return;
    if (!leaving) {
        why = reason;
        std::fprintf(stderr, "ZK3: %s\n", reason.c_str());
    }
    net_bye bye;
    if (roster.hosts())
        bye.why = leaving ? "the host ended the match" : reason.substr(0, 200);
    send_to(roles::connected, encode(bye));
    report_refusals(true);
    link->close();
    current_phase = phase::ended;
    device_slot = 0;
}

replay_data recording_of(const net_session& session)
{
    return record_network_match(session.get_match(), session.get_start(), session.get_chat().match_lines());
}

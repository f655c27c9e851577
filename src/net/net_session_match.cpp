// The match part of a network session: controls and hashes each tick, and
// peers that leave.
#include <algorithm>
#include <cstdio>
#include <iterator>

#include "net/net_recording.h"
#include "net/net_session.h"

namespace {

const int host_peer = 0;  // on a joiner
// Ahead of another peer by this many ticks, a peer skips a step, and then
// steps a while before it looks again, so as not to overshoot. The host
// looks seldom: what a joiner says of its tick may be a lie, and the others
// must keep time whatever it says (a twentieth slower at the most).
const std::int64_t fair_lead = 1;
const int ticks_between_skips = 5;
const int ticks_between_host_skips = 19;
// Each reading is sent this many times in a row; a peer that has not moved
// on for this long is sent again what it lacks, as much as an honest peer
// can lack: it cannot run further ahead of what it knows than the match lets it.
const std::uint32_t sends_of_each = 4;
const std::chrono::milliseconds resend_after(200);
const std::uint32_t most_resent = 2 * rollback_match::most_ahead + 48;
// Hashes a peer told us of that we cannot check yet; an honest one has one or two.
const std::size_t most_told_hashes = 4;
// A watcher steps this many ticks at a time, and goes on while it is behind
// (come late, or slow for a while) for as long as a frame allows.
const int most_known_steps = 20;
const std::chrono::milliseconds catch_up_budget(8);

}  // namespace

void net_session::tick(const control_reading& local)
{
    if (current_phase != phase::playing)
        return;
    if (local_slot >= 0)
        match.add_local(local);
    // After the end only the sends go on: the others may still lack ours.
    if (!over) {
        const std::uint32_t waits_before = match.get_waits();
        bool stepped = false;
        if (watching)
            stepped = watch_steps() > 0;
        else if (!ahead_of_others())
            stepped = match.advance();
        else
            skips++;
        watch_waiting(stepped, waits_before);
        if (hosting)
            watch_hold_ups();
        if (current_phase != phase::playing)
            return;
    }
    send_inputs();
    send_hashes();
    watch_end();
    if (hosting && over && link->now() - over_since >= end_shown_for)
        back_to_lobby();
}

int net_session::watch_steps()
{
    const auto began = std::chrono::steady_clock::now();
    int stepped = 0;
    int now = 0;
    do {
        now = match.advance_known(most_known_steps);
        stepped += now;
    } while (now == most_known_steps && std::chrono::steady_clock::now() - began < catch_up_budget);
    return stepped;
}

void net_session::watch_end()
{
    if (!over && match.final_result(result, over_at)) {
        over = true;
        waiting = false;
        over_since = link->now();
    }
}

bool net_session::match_over(match_result& out, std::uint32_t& at) const
{
    if (!over || current_phase != phase::playing)
        return false;
    out = result;
    at = over_at;
    return true;
}

// The same players, in the order they joined, less whoever has left; the
// host's lobby as before the match, for the next one.
void net_session::back_to_lobby()
{
    std::vector<net_player> staying;
    if (own_fighter)
        staying.push_back(humans.front());
    for (int slot = own_fighter ? 1 : 0; slot < static_cast<int>(humans.size()); slot++)
        for (int peer = 1; peer <= net_transport::most_joiners; peer++)
            if (remotes[peer].connected && remotes[peer].slot == slot) {
                remotes[peer].slot = static_cast<int>(staying.size());
                staying.push_back(humans[static_cast<std::size_t>(slot)]);
            }
    humans = staying;
    forget_the_match();
    current_phase = phase::lobby;
    send_lobby();
}

void net_session::return_to_lobby()
{
    if (hosting && current_phase == phase::playing)
        back_to_lobby();
}

// What each peer knew of the last match goes; who they are and what they
// may cost stays.
void net_session::forget_the_match()
{
    const auto at = link->now();
    for (remote& other : remotes) {
        remote fresh;
        fresh.connected = other.connected;
        fresh.slot = other.slot;
        fresh.watching = other.watching;
        fresh.connected_at = other.connected_at;
        fresh.allowance = other.allowance;
        fresh.refusals = other.refusals;
        fresh.hold_up.reset(at);
        other = fresh;
    }
    over = false;
    waiting = false;
    skip_rest = 0;
    starter.finish();
}

// Each peer runs on its own clock from when it heard the start, so one that
// started earlier would keep guessing the others; it lets them catch up.
// How far ahead of another it is shows without knowing the way's length:
// each sees the other's tick as it was a trip ago, so the difference of what
// each sees is twice the difference of where they are.
bool net_session::ahead_of_others()
{
    // A server keeps the time its players keep with it.
    if (local_slot < 0)
        return false;
    if (skip_rest > 0) {
        skip_rest--;
        return false;
    }
    for (int peer = 0; peer <= net_transport::most_joiners; peer++) {
        const remote& other = remotes[peer];
        if (!plays_with(peer))
            continue;
        if (match.left_at(hosting ? other.slot : 0) != rollback_match::never || other.sender_tick == 0)
            continue;
        // Our own tick as the other last knew it: our readings run that far ahead.
        const std::int64_t ours_there = static_cast<std::int64_t>(other.have_until[local_slot]) -
                                        static_cast<std::int64_t>(rollback_match::input_delay) - 1;
        const std::int64_t theirs_here = other.sender_tick;
        const std::int64_t our_lead = static_cast<std::int64_t>(match.get_tick()) - theirs_here;
        const std::int64_t their_lead = theirs_here - ours_there;
        if (our_lead - their_lead >= 2 * fair_lead) {
            skip_rest = hosting ? ticks_between_host_skips : ticks_between_skips;
            return true;
        }
    }
    return false;
}

// Each reading goes out in several packets in a row, so a lost packet costs
// nothing; only when another peer has not moved on for a while (a run of
// packets lost) is all it lacks sent again.
void net_session::send_inputs()
{
    const auto at = link->now();
    net_inputs inputs;
    inputs.sender_tick = match.get_tick();
    for (int slot = 0; slot < net_max_slots; slot++)
        inputs.have_until[slot] = static_cast<std::uint32_t>(match.known(slot).size());
    for (int peer = 0; peer <= net_transport::most_joiners; peer++) {
        remote& other = remotes[peer];
        if (!shares_match_with(peer))
            continue;
        inputs.slots.clear();
        for (int slot = 0; slot < static_cast<int>(humans.size()); slot++) {
            // A joiner sends only its own (a watcher none, only what it
            // lacks); the host relays everyone else's.
            if (hosting ? slot == other.slot : slot != local_slot)
                continue;
            const std::vector<control_reading>& readings = match.known(slot);
            std::uint32_t from = other.have_until[slot];
            std::size_t most = net_max_readings;
            if (at - other.moved_on[slot] > resend_after) {
                other.moved_on[slot] = at;  // it lacks more than the last few: again
                most = most_resent;
            } else if (other.sent_until[slot] > from + sends_of_each) {
                from = other.sent_until[slot] - sends_of_each;
            }
            const auto until = std::min<std::size_t>(readings.size(), match.left_at(slot));
            if (from >= until)
                continue;
            net_slot_inputs run;
            run.slot = slot;
            run.first_tick = from;
            const std::size_t last = std::min<std::size_t>(until, from + most);
            run.readings.assign(readings.begin() + from, readings.begin() + static_cast<std::ptrdiff_t>(last));
            inputs.slots.push_back(run);
            // A resend of what it lacks does not take the regular sends back.
            other.sent_until[slot] = std::max(other.sent_until[slot], static_cast<std::uint32_t>(last));
        }
        link->send(peer, encode(inputs), false);
    }
}

void net_session::inputs_from(int peer, const net_message& message)
{
    const net_inputs& inputs = message.inputs;
    remote& from = remotes[peer];
    from.sender_tick = std::max(from.sender_tick, inputs.sender_tick);
    const auto at = link->now();
    for (int slot = 0; slot < net_max_slots; slot++) {
        if (inputs.have_until[slot] > from.have_until[slot])
            from.moved_on[slot] = at;
        from.have_until[slot] = std::max(from.have_until[slot], inputs.have_until[slot]);
    }
    // The host takes a joiner's readings only for itself and only so far
    // ahead of its own tick: what it keeps and relays stays bounded.
    const std::uint32_t taken_until = hosting ? match.get_tick() + most_taken_ahead : rollback_match::never;
    for (const net_slot_inputs& run : inputs.slots) {
        if (hosting && run.slot != from.slot) {
            refuse(peer, "controls for slot " + std::to_string(run.slot) + ", not its own");
            continue;
        }
        for (std::size_t i = 0; i < run.readings.size(); i++) {
            const std::uint32_t tick_of = run.first_tick + static_cast<std::uint32_t>(i);
            if (tick_of >= taken_until) {
                refuse(peer, "controls for tick " + std::to_string(tick_of) + ", beyond tick " +
                                 std::to_string(taken_until));
                break;
            }
            match.add_remote(run.slot, tick_of, run.readings[i]);
        }
    }
}

void net_session::send_hashes()
{
    std::uint64_t hash;
    while (match.final_hash(next_hash, hash)) {
        net_hash message;
        message.tick = next_hash;
        message.hash = hash;
        const std::string packet = encode(message);
        for (int peer = 0; peer <= net_transport::most_joiners; peer++)
            if (shares_match_with(peer))
                link->send(peer, packet, true);
        next_hash += rollback_match::hash_every;
    }
}

void net_session::hash_from(int peer, const net_message& message)
{
    const net_hash& hash = message.hash;
    remote& from = remotes[peer];
    if (hash.tick == 0 || hash.tick % rollback_match::hash_every != 0) {
        refuse(peer, "a hash for tick " + std::to_string(hash.tick) + ", where none is taken");
        return;
    }
    if (hash.tick <= from.agreed || hash.tick > match.get_tick() + most_taken_ahead) {
        refuse(peer, "a hash for tick " + std::to_string(hash.tick) + ", long past or far ahead");
        return;
    }
    // What a peer tells of a tick stands: it tells each hash once.
    if (!from.told_hashes.emplace(hash.tick, hash.hash).second) {
        refuse(peer, "a second hash for tick " + std::to_string(hash.tick));
        return;
    }
    if (from.told_hashes.size() > most_told_hashes)
        from.told_hashes.erase(std::prev(from.told_hashes.end()));
    check_hash(peer);
}

void net_session::check_hash(int peer)
{
    remote& other = remotes[peer];
    std::uint64_t own = 0;
    std::uint32_t at = 0;
    for (;;) {
        if (other.told_hashes.empty())
            return;
        const auto first = other.told_hashes.begin();
        at = first->first;
        if (!match.final_hash(at, own))
            return;
        const std::uint64_t told = first->second;
        other.told_hashes.erase(first);
        if (own != told)
            break;
        other.agreed = std::max(other.agreed, at);
    }
    const std::string reason = "out of step at tick " + std::to_string(at);
    if (!hosting) {
        end(reason);
        return;
    }
    // The host plays on with the others.
    let_go(peer, "your match went " + reason);
}

bool net_session::all_agree_at(std::uint32_t last) const
{
    std::uint64_t own;
    if (current_phase != phase::playing || !match.final_hash(last, own))
        return false;
    for (int peer = 0; peer <= net_transport::most_joiners; peer++) {
        if (plays_with(peer) && remotes[peer].agreed < last)
            return false;
    }
    return true;
}

void net_session::lost(int peer)
{
    remote& other = remotes[peer];
    if (!hosting && current_phase == phase::connecting) {
        end("no answer from the host");
        return;
    }
    if (!other.connected)
        return;
    other.connected = false;
    if (!hosting) {
        if (current_phase != phase::ended)
            end("the host left the match");
        return;
    }
    const int slot = other.slot;
    other.slot = -1;
    if (slot < 0)
        return;
    if (current_phase == phase::lobby) {
        // The later joiners move up a slot, so slots stay in joining order.
        humans.erase(humans.begin() + slot);
        for (remote& later : remotes)
            if (later.connected && later.slot > slot)
                later.slot--;
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
    const std::string packet = encode(leave);
    for (int joiner = 1; joiner <= net_transport::most_joiners; joiner++)
        if (greeted(joiner))
            link->send(joiner, packet, true);
    std::fprintf(stderr, "ZK3: slot %d left the match at tick %u; a bot plays on\n", slot, leave.tick);
}

void net_session::leave()
{
    if (current_phase == phase::ended || !link)
        return;
    net_bye bye;
    bye.why = hosting ? "the host ended the match" : "";
    const std::string packet = encode(bye);
    for (int peer = 0; peer <= net_transport::most_joiners; peer++)
        if (remotes[peer].connected)
            link->send(peer, packet, true);
    report_refusals(true);
    link->close();
    current_phase = phase::ended;
    device_slot = 0;
}

void net_session::end(const std::string& reason)
{
    why = reason;
    std::fprintf(stderr, "ZK3: %s\n", reason.c_str());
    net_bye bye;
    bye.why = hosting ? reason.substr(0, 200) : "";
    for (int peer = 0; peer <= net_transport::most_joiners; peer++)
        if (remotes[peer].connected)
            link->send(peer, encode(bye), true);
    report_refusals(true);
    link->close();
    current_phase = phase::ended;
    device_slot = 0;
}

replay_data net_session::recording() const
{
    return record_network_match(match, started, match_chat);
}

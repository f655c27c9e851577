// The match part of a network session: controls and hashes each tick, and
// peers that leave.
#include <algorithm>
#include <cstdio>

#include "net/net_recording.h"
#include "net/net_session.h"

namespace {


const int host_peer = 0;  // on a joiner
// Ahead of another peer by this many ticks, a peer skips a step, and then
// steps a while before it looks again, so as not to overshoot.
const std::int64_t fair_lead = 1;
const int ticks_between_skips = 5;
// Each reading is sent this many times in a row; a peer that has not moved
// on for this long is sent all it lacks again.
const std::uint32_t sends_of_each = 4;
const std::chrono::milliseconds resend_after(200);

using steady = std::chrono::steady_clock;

}  // namespace

void net_session::tick(const control_reading& local)
{
    if (now != phase::playing)
        return;
    match.add_local(local);
    if (!ahead_of_others())
        match.advance();
    else
        skips++;
    send_inputs();
    send_hashes();
}

// Each peer runs on its own clock from when it heard the start, so one that
// started earlier would keep guessing the others; it lets them catch up.
// How far ahead of another it is shows without knowing the way's length:
// each sees the other's tick as it was a trip ago, so the difference of what
// each sees is twice the difference of where they are.
bool net_session::ahead_of_others()
{
    if (skip_rest > 0) {
        skip_rest--;
        return false;
    }
    for (int peer = 0; peer <= net_link::most_joiners; peer++) {
        const remote& other = remotes[peer];
        if (!other.connected || (hosting && other.slot <= 0) || (!hosting && peer != host_peer))
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
            skip_rest = ticks_between_skips;
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
    const steady::time_point at = steady::now();
    net_inputs inputs;
    inputs.sender_tick = match.get_tick();
    for (int slot = 0; slot < net_max_slots; slot++)
        inputs.have_until[slot] = static_cast<std::uint32_t>(match.known(slot).size());
    for (int peer = 0; peer <= net_link::most_joiners; peer++) {
        remote& other = remotes[peer];
        if (!other.connected || (hosting && other.slot <= 0) || (!hosting && peer != host_peer))
            continue;
        inputs.slots.clear();
        for (int slot = 0; slot < static_cast<int>(humans.size()); slot++) {
            // A joiner sends only its own; the host relays everyone else's.
            if (hosting ? slot == other.slot : slot != local_slot)
                continue;
            const std::vector<control_reading>& readings = match.known(slot);
            std::uint32_t from = other.have_until[slot];
            if (at - other.moved_on[slot] > resend_after)
                other.moved_on[slot] = at;  // it lacks more than the last few: all again
            else if (other.sent_until[slot] > from + sends_of_each)
                from = other.sent_until[slot] - sends_of_each;
            const auto until = std::min<std::size_t>(readings.size(), match.left_at(slot));
            if (from >= until)
                continue;
            net_slot_inputs run;
            run.slot = slot;
            run.first_tick = from;
            const std::size_t last = std::min<std::size_t>(until, from + net_max_readings);
            run.readings.assign(readings.begin() + from, readings.begin() + static_cast<std::ptrdiff_t>(last));
            inputs.slots.push_back(run);
            other.sent_until[slot] = static_cast<std::uint32_t>(last);
        }
        link.send(peer, encode(inputs), false);
    }
}

void net_session::inputs_from(int peer, const net_inputs& inputs)
{
    remote& from = remotes[peer];
    from.sender_tick = std::max(from.sender_tick, inputs.sender_tick);
    const steady::time_point at = steady::now();
    for (int slot = 0; slot < net_max_slots; slot++) {
        if (inputs.have_until[slot] > from.have_until[slot])
            from.moved_on[slot] = at;
        from.have_until[slot] = std::max(from.have_until[slot], inputs.have_until[slot]);
    }
    for (const net_slot_inputs& run : inputs.slots) {
        // A joiner speaks only for itself.
        if (hosting && run.slot != from.slot)
            continue;
        for (std::size_t i = 0; i < run.readings.size(); i++)
            match.add_remote(run.slot, run.first_tick + static_cast<std::uint32_t>(i), run.readings[i]);
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
        for (int peer = 0; peer <= net_link::most_joiners; peer++)
            if (remotes[peer].connected && (hosting ? remotes[peer].slot > 0 : peer == host_peer))
                link.send(peer, packet, true);
        next_hash += rollback_match::hash_every;
    }
}

void net_session::hash_from(int peer, const net_hash& hash)
{
    remotes[peer].hash_tick = hash.tick;
    remotes[peer].hash = hash.hash;
    check_hash(peer);
}

void net_session::check_hash(int peer)
{
    remote& other = remotes[peer];
    std::uint64_t own;
    if (other.hash_tick == 0 || !match.final_hash(other.hash_tick, own))
        return;
    const std::uint32_t at = other.hash_tick;
    other.hash_tick = 0;
    if (own == other.hash) {
        other.agreed = std::max(other.agreed, at);
        return;
    }
    const std::string reason = "out of step at tick " + std::to_string(at);
    if (!hosting) {
        end(reason);
        return;
    }
    // The host plays on with the others; the joiner finds out for itself.
    std::fprintf(stderr, "ZK3: slot %d is %s\n", other.slot, reason.c_str());
    link.disconnect(peer);
    lost(peer);
}

bool net_session::all_agree_at(std::uint32_t last) const
{
    std::uint64_t own;
    if (now != phase::playing || !match.final_hash(last, own))
        return false;
    for (int peer = 0; peer <= net_link::most_joiners; peer++) {
        const remote& other = remotes[peer];
        if (!other.connected || (hosting && other.slot <= 0) || (!hosting && peer != host_peer))
            continue;
        if (other.agreed < last)
            return false;
    }
    return true;
}

void net_session::lost(int peer)
{
    remote& other = remotes[peer];
    if (!hosting && now == phase::connecting) {
        end("no answer from the host");
        return;
    }
    if (!other.connected)
        return;
    other.connected = false;
    if (!hosting) {
        if (now != phase::ended)
            end(now == phase::connecting ? "no answer from the host" : "the host left the match");
        return;
    }
    const int slot = other.slot;
    other.slot = -1;
    if (slot <= 0)
        return;
    if (now == phase::lobby) {
        // The later joiners move up a slot, so slots stay in joining order.
        humans.erase(humans.begin() + slot);
        for (remote& later : remotes)
            if (later.connected && later.slot > slot)
                later.slot--;
        send_lobby();
        return;
    }
    if (now != phase::playing)
        return;
    // From the first tick the host lacks, the fighter is a bot's on every peer.
    net_leave leave;
    leave.slot = slot;
    leave.tick = static_cast<std::uint32_t>(match.known(slot).size());
    match.leave(slot, leave.tick);
    const std::string packet = encode(leave);
    for (int joiner = 1; joiner <= net_link::most_joiners; joiner++)
        if (remotes[joiner].connected && remotes[joiner].slot > 0)
            link.send(joiner, packet, true);
    std::fprintf(stderr, "ZK3: slot %d left the match at tick %u; a bot plays on\n", slot, leave.tick);
}

void net_session::leave()
{
    if (now == phase::ended)
        return;
    net_bye bye;
    bye.why = hosting ? "the host ended the match" : "";
    const std::string packet = encode(bye);
    for (int peer = 0; peer <= net_link::most_joiners; peer++)
        if (remotes[peer].connected)
            link.send(peer, packet, true);
    link.close();
    now = phase::ended;
    device_slot = 0;
}

void net_session::end(const std::string& reason)
{
    why = reason;
    std::fprintf(stderr, "ZK3: %s\n", reason.c_str());
    net_bye bye;
    bye.why = hosting ? reason.substr(0, 200) : "";
    for (int peer = 0; peer <= net_link::most_joiners; peer++)
        if (remotes[peer].connected)
            link.send(peer, encode(bye), true);
    link.close();
    now = phase::ended;
    device_slot = 0;
}

replay_data net_session::recording() const
{
    return record_network_match(match, started);
}

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
// A peer that has not moved on for this long is sent again what it lacks,
// as much as an honest peer can lack: it cannot run further ahead of what
// it knows than the match lets it.
const std::chrono::milliseconds resend_after(200);
const std::uint32_t most_resent = 2 * rollback_match::most_ahead + 48;
// Hashes a peer told us of that we cannot check yet; an honest one has one or two.
const std::size_t most_told_hashes = 4;
// A watcher steps this many ticks at a time, and goes on while it is behind
// (come late, or slow for a while) for as long as a frame allows.
const int most_known_steps = 20;

}  // namespace

void net_session::tick(const control_reading& local)
{
    if (current_phase != phase::playing)
        return;
    read_local(local);
    // After the end only the sends go on: the others may still lack ours.
    if (!over) {
        const std::uint32_t waits_before = match.get_waits();
        bool stepped = false;
        if (watching || coming_in) {
            stepped = watch_steps() > 0;
            say_ready_when_caught_up();
        } else if (catching_up) {
            stepped = match.advance();
            catch_up_with_host(local);
        } else if (!ahead_of_others())
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

void net_session::read_local(const control_reading& local)
{
    if (local_slot < 0)
        return;  // a server or a watcher reads no controls
    match.set_input_delay(delay_choice.next(furthest_trip_ms()));
    const std::size_t before = match.known(local_slot).size();
    match.add_local(local);
    const auto at = link->now();
    for (std::size_t i = before; i < match.known(local_slot).size(); i++)
        read_at[i % read_times_kept] = at;
}

// The host goes by its furthest joiner, a joiner by the host; -1 while
// nothing is known.
double net_session::furthest_trip_ms() const
{
    double furthest = -1;
    for (int peer = 0; peer <= net_transport::most_joiners; peer++)
        if (plays_with(peer))
            furthest = std::max(furthest, remotes[peer].trip.median_ms());
    return furthest;
}

// The other has our readings up to `have_until` now: a trip back from when
// the last of them was read.
void net_session::note_trip(remote& from, std::uint32_t have_until)
{
    const std::size_t own = match.known(local_slot).size();
    // Before a late player's first reading there is nothing to time.
    if (have_until <= match.entered_at(local_slot) || have_until > own || have_until + read_times_kept <= own)
        return;
    const std::chrono::duration<double, std::milli> trip = link->now() - read_at[(have_until - 1) % read_times_kept];
    from.trip.add(trip.count());
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
    // Those still catching up on the match play in the next.
    for (int peer = 1; peer <= net_transport::most_joiners; peer++) {
        remote& late = remotes[peer];
        if (!late.connected || !late.coming_in)
            continue;
        late.coming_in = false;
        if (static_cast<int>(staying.size()) >= std::min(most_players, net_max_slots)) {
            turn_away(peer, "the match is full");
            continue;
        }
        late.slot = static_cast<int>(staying.size());
        staying.push_back(late.look);
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
        const std::uint32_t ours_known = other.have_until[local_slot];
        if (match.left_at(hosting ? other.slot : 0) != rollback_match::never || other.sender_tick == 0 ||
            ours_known <= match.entered_at(local_slot) || ours_known == 0)
            continue;
        // Our own tick as the other last knew it: when we read the last reading it had.
        const std::int64_t ours_there = match.read_on(ours_known - 1);
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
    for (int peer = 0; peer <= net_transport::most_joiners; peer++) {
        remote& other = remotes[peer];
        if (!shares_match_with(peer))
            continue;
        net_inputs inputs;
        inputs.sender_tick = match.get_tick();
        // This packet takes the place of the one `sends_of_each` back: what
        // that one sent first has gone in enough packets.
        const std::uint32_t newest = (other.packets_to + sends_of_each - 1) % sends_of_each;
        const std::uint32_t oldest = other.packets_to % sends_of_each;
        other.packets_to++;
        for (int slot = 0; slot < static_cast<int>(humans.size()); slot++) {
            const std::vector<control_reading>& readings = match.known(slot);
            std::uint32_t* sent_until = other.sent_until[slot];
            const std::uint32_t sent_long_ago = sent_until[oldest];
            const std::uint32_t sent_before = sent_until[newest];
            sent_until[oldest] = sent_before;
            // A joiner sends only its own (a watcher none); the host relays
            // everyone else's. Each tells the other what it has of the slots
            // the other sends it.
            if (hosting ? slot == other.slot : slot != local_slot) {
                inputs.have_until[slot] = static_cast<std::uint32_t>(readings.size());
                continue;
            }
            std::uint32_t from = std::max(other.have_until[slot], sent_long_ago);
            std::size_t most = net_max_readings;
            if (at - other.moved_on[slot] > resend_after) {
                other.moved_on[slot] = at;  // it lacks more than the last few: again
                from = other.have_until[slot];
                most = most_resent;
            }
            const auto until = std::min<std::size_t>(readings.size(), match.left_at(slot));
            if (from >= until)
                continue;
            net_slot_inputs entry;
            entry.slot = slot;
            entry.first_tick = from;
            const control_reading before = from > 0 ? readings[from - 1] : control_reading{};
            const std::size_t count = std::min<std::size_t>(until - from, most);
            const std::size_t packed = pack_readings(entry, before, readings.data() + from, count);
            inputs.slots.push_back(entry);
            // A resend of what it lacks does not take the regular sends back.
            sent_until[oldest] = std::max(sent_before, static_cast<std::uint32_t>(from + packed));
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
    if (local_slot >= 0 && inputs.have_until[local_slot] > from.have_until[local_slot])
        note_trip(from, inputs.have_until[local_slot]);
    for (int slot = 0; slot < net_max_slots; slot++) {
        if (inputs.have_until[slot] > from.have_until[slot])
            from.moved_on[slot] = at;
        from.have_until[slot] = std::max(from.have_until[slot], inputs.have_until[slot]);
    }
    // The host takes a joiner's readings only for itself and only so far
    // ahead of its own tick: what it keeps and relays stays bounded.
    const std::uint32_t taken_until = hosting ? match.get_tick() + most_taken_ahead : rollback_match::never;
    std::vector<control_reading> readings;
    for (const net_slot_inputs& entry : inputs.slots) {
        if (hosting && entry.slot != from.slot) {
            refuse(peer, "controls for slot " + std::to_string(entry.slot) + ", not its own");
            continue;
        }
        // Readings beyond one still lacking are of no use yet; they come again.
        const std::vector<control_reading>& known = match.known(entry.slot);
        if (entry.first_tick > known.size())
            continue;
        const control_reading before = entry.first_tick > 0 ? known[entry.first_tick - 1] : control_reading{};
        std::string reason;
        if (!unpack_readings(entry, before, readings, reason)) {
            refuse(peer, "controls of slot " + std::to_string(entry.slot) + ": " + reason);
            continue;
        }
        for (std::size_t i = 0; i < readings.size(); i++) {
            const std::uint32_t tick_of = entry.first_tick + static_cast<std::uint32_t>(i);
            if (tick_of >= taken_until) {
                refuse(peer, "controls for tick " + std::to_string(tick_of) + ", beyond tick " +
                                 std::to_string(taken_until));
                break;
            }
            match.add_remote(entry.slot, tick_of, readings[i]);
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

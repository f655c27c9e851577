#include "net/match_pace.h"

#include <algorithm>

namespace {

// Ahead of another peer by this many ticks, a peer skips a step, and then
// steps a while before it looks again, so as not to overshoot. The host
// looks seldom: what a joiner says of its tick may be a lie, and the others
// must keep time whatever it says (a twentieth slower at the most).
const std::int64_t fair_lead = 1;
const int ticks_between_skips = 5;
const int ticks_between_host_skips = 19;
// A watcher steps this many ticks at a time, and goes on while it is behind
// (come late, or slow for a while) for as long as a frame allows.
const int most_known_steps = 20;

}  // namespace

void match_pace::forget_the_match()
{
    for (round_trip_meter& trip : trips)
        trip = round_trip_meter();
    waiting = false;
    skip_rest = 0;
}

void match_pace::read(rollback_match& match, const control_reading& local, const net_roster& roster,
                      clock::time_point at)
{
    const int own = roster.own_slot();
    if (own < 0)
        return;
    match.set_input_delay(delay_choice.next(furthest_trip_ms(roster)));
    const std::size_t before = match.known(own).size();
    match.add_local(local);
    for (std::size_t i = before; i < match.known(own).size(); i++)
        read_at[i % read_times_kept] = at;
}

double match_pace::furthest_trip_ms(const net_roster& roster) const
{
    double furthest = -1;
    for (int peer : roster.peers_in(roles::playing_with))
        furthest = std::max(furthest, trips[peer].median_ms());
    return furthest;
}

void match_pace::note_trip(int peer, std::uint32_t have_until, const rollback_match& match, clock::time_point at)
{
    const int own_slot = match.get_local_slot();
    const std::size_t own = match.known(own_slot).size();
    // Before a late player's first reading there is nothing to time.
    if (have_until <= match.entered_at(own_slot) || have_until > own || have_until + read_times_kept <= own)
        return;
    const std::chrono::duration<double, std::milli> trip = at - read_at[(have_until - 1) % read_times_kept];
    trips[peer].add(trip.count());
}

bool match_pace::step_or_skip(rollback_match& match, const net_roster& roster, const reading_relay& relay)
{
    if (!ahead_of_others(match, roster, relay))
        return match.advance();
    skips++;
    return false;
}

// Each peer runs on its own clock from when it heard the start, so one that
// started earlier would keep guessing the others; it lets them catch up.
// How far ahead of another it is shows without knowing the way's length:
// each sees the other's tick as it was a trip ago, so the difference of what
// each sees is twice the difference of where they are.
bool match_pace::ahead_of_others(const rollback_match& match, const net_roster& roster, const reading_relay& relay)
{
    const int own_slot = roster.own_slot();
    // A server keeps the time its players keep with it.
    if (own_slot < 0)
        return false;
    if (skip_rest > 0) {
        skip_rest--;
        return false;
    }
    for (int peer : roster.peers_in(roles::playing_with)) {
        const std::uint32_t ours_known = relay.has_until(peer, own_slot);
        const std::uint32_t theirs_here = relay.sender_tick(peer);
        if (match.left_at(roster.hosts() ? roster.slot(peer) : 0) != rollback_match::never || theirs_here == 0 ||
            ours_known <= match.entered_at(own_slot) || ours_known == 0)
            continue;
        // Our own tick as the other last knew it: when we read the last reading it had.
        const std::int64_t ours_there = match.read_on(ours_known - 1);
        const std::int64_t our_lead = static_cast<std::int64_t>(match.get_tick()) - theirs_here;
        const std::int64_t their_lead = theirs_here - ours_there;
        if (our_lead - their_lead >= 2 * fair_lead) {
            skip_rest = roster.hosts() ? ticks_between_host_skips : ticks_between_skips;
            return true;
        }
    }
    return false;
}

int match_pace::watch_steps(rollback_match& match)
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

bool match_pace::stepped_through(const rollback_match& match, std::uint32_t host_tick)
{
    return host_tick != 0 && match.get_tick() >= match.confirmed() &&
           match.get_tick() + rollback_match::most_ahead >= host_tick;
}

bool match_pace::catch_up(rollback_match& match, const control_reading& local, const net_roster& roster,
                          std::uint32_t target, const net_transport& clock_of)
{
    const auto began = std::chrono::steady_clock::now();
    while (match.get_tick() < target && std::chrono::steady_clock::now() - began < catch_up_budget) {
        read(match, local, roster, clock_of.now());
        if (!match.advance())
            return false;
    }
    return match.get_tick() >= target;
}

void match_pace::note_waiting(bool waits_now, clock::time_point at)
{
    if (waits_now && !waiting)
        waiting_since = at;
    waiting = waits_now;
}

std::vector<int> match_pace::waiting_for(const rollback_match& match, int humans, clock::time_point at) const
{
    std::vector<int> slots;
    if (!waiting || at - waiting_since < waiting_shown_after)
        return slots;
    for (int slot = 0; slot < humans; slot++)
        if (match.waits_for(slot))
            slots.push_back(slot);
    return slots;
}

#include "net/peer_limits.h"

#include <algorithm>

namespace {

double seconds_between(peer_clock::time_point earlier, peer_clock::time_point later)
{
    return std::max(0.0, std::chrono::duration<double>(later - earlier).count());
}

// A host that stood still itself (a slow frame, a window dragged) does not
// count that time against the joiner it happened to be waiting for.
const double longest_look_seconds = 0.25;
const double forgiven_per_second_held = 0.1;

}  // namespace

void intake_allowance::reset(peer_clock::time_point at)
{
    left = per_second;
    refilled = at;
    over_since = over_last = peer_clock::time_point{};
}

bool intake_allowance::take(std::size_t size, peer_clock::time_point at)
{
    left = std::min(per_second, left + seconds_between(refilled, at) * per_second);
    refilled = std::max(refilled, at);
    if (static_cast<double>(size) > left) {
        if (over_since == peer_clock::time_point{} || at - over_last > std::chrono::seconds(1))
            over_since = at;
        over_last = at;
        return false;
    }
    left -= static_cast<double>(size);
    return true;
}

void refusal_summary::add(const std::string& reason, peer_clock::time_point at)
{
    if (count == 0) {
        first_reason = reason;
        first_at = at;
    }
    count++;
    refused++;
}

std::string refusal_summary::line_due(const std::string& who, peer_clock::time_point at, bool now_or_never)
{
    if (count == 0 || (!now_or_never && at - first_at < std::chrono::seconds(1)))
        return "";
    const std::string line = count == 1 ? "a packet from " + who + " dropped: " + first_reason
                                        : std::to_string(count) + " packets from " + who +
                                              " dropped within a second, the first: " + first_reason;
    count = 0;
    return line;
}

void hold_up_meter::reset(peer_clock::time_point at)
{
    held = 0;
    last = at;
}

bool hold_up_meter::look(bool holding_up, peer_clock::time_point at)
{
    const double passed = std::min(longest_look_seconds, seconds_between(last, at));
    last = std::max(last, at);
    held = holding_up ? held + passed : std::max(0.0, held - passed * forgiven_per_second_held);
    return held >= limit_seconds;
}

bool line_rate::take(peer_clock::time_point at)
{
    if (at > earned_until) {
        credit = std::min(most_credit, credit + (at - earned_until));
        earned_until = at;
    }
    if (credit < each)
        return false;
    credit -= each;
    return true;
}

void peer_guards::next_match(peer_clock::time_point at)
{
    for (peer_guard& guard : by_peer)
        guard.next_match(at);
}

std::uint64_t peer_guards::refused() const
{
    std::uint64_t total = 0;
    for (const peer_guard& guard : by_peer)
        total += guard.refusals.total();
    return total;
}

peer_guards::let_go_list peer_guards::held_up(const net_roster& roster, const rollback_match& match,
                                              peer_clock::time_point at)
{
    let_go_list out;
    for (int peer : roster.peers_in(peer_role::player))
        if (by_peer[peer].hold_up.look(match.waits_for(roster.slot(peer)), at))
            out.emplace_back(peer, "your controls stopped arriving for 3 s");
    return out;
}

peer_guards::let_go_list peer_guards::overstayed(const net_roster& roster, peer_clock::time_point at)
{
    let_go_list out;
    for (int peer : roster.peers_in(peer_role::nameless | peer_role::coming_in)) {
        const bool nameless = roster.role(peer) == peer_role::nameless;
        if (at - roster.connected_at(peer) > (nameless ? hello_within : ready_within))
            out.emplace_back(peer, nameless ? "no hello within 3 s" : "not caught up on the match within 2 minutes");
    }
    return out;
}

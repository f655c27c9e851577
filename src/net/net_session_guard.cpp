// What a joiner may cost the others: the host lets go of one that holds the
// match up, and every peer says for whom its match waits.
#include <cstdio>

#include "net/net_link.h"
#include "net/net_session.h"

namespace {

const int host_peer = 0;  // on a joiner

}  // namespace

// The peers whose controls this one's match takes: on the host every joiner
// in a slot, on a joiner its host.
bool net_session::plays_with(int peer) const
{
    const remote& other = remotes[peer];
    return other.connected && (hosting ? other.slot >= 0 : peer == host_peer);
}

bool net_session::greeted(int peer) const
{
    const remote& other = remotes[peer];
    return other.connected && (other.slot >= 0 || other.watching || other.coming_in);
}

// The host sends its watchers the match as it sends its players, and never
// waits for them.
bool net_session::shares_match_with(int peer) const
{
    return hosting ? greeted(peer) : plays_with(peer);
}

int net_session::watcher_count() const
{
    int count = 0;
    for (int peer = 1; peer <= net_transport::most_joiners; peer++)
        count += remotes[peer].connected && remotes[peer].watching;
    return count;
}

// A joiner whose controls stop coming holds every peer's match up: after
// three seconds of it, whether or not its other packets still come, a bot
// plays on from the first tick the host lacks, on every peer alike.
void net_session::watch_hold_ups()
{
    const auto at = link->now();
    for (int peer = 1; peer <= net_transport::most_joiners; peer++) {
        if (!plays_with(peer))
            continue;
        if (remotes[peer].hold_up.look(match.waits_for(remotes[peer].slot), at))
            let_go(peer, "your controls stopped arriving for 3 s");
    }
}

// The host plays on without a joiner and tells it why.
void net_session::let_go(int peer, const std::string& reason)
{
    std::fprintf(stderr, "ZK3: %s: %s\n", who(peer).c_str(), reason.c_str());
    lost(peer);
    net_bye bye;
    bye.why = reason.substr(0, net_max_bye);
    link->send(peer, encode(bye), true);
    link->disconnect(peer);
}

void net_session::turn_away_the_nameless()
{
    const auto at = link->now();
    for (int peer = 1; peer <= net_transport::most_joiners; peer++) {
        const remote& other = remotes[peer];
        if (other.connected && !greeted(peer) && at - other.connected_at > hello_within)
            turn_away(peer, "no hello within 3 s");
        // A bot's fighter waits for each one coming in: not for ever.
        else if (other.connected && other.coming_in && !other.waits_for_next &&
                 at - other.connected_at > ready_within)
            turn_away(peer, "not caught up on the match within 2 minutes");
    }
}

void net_session::watch_waiting(bool stepped, std::uint32_t waits_before)
{
    const bool waits_now = !stepped && match.get_waits() != waits_before;
    if (waits_now && !waiting)
        waiting_since = link->now();
    waiting = waits_now;
}

std::vector<int> net_session::waiting_for() const
{
    std::vector<int> slots;
    if (!waiting || !link || link->now() - waiting_since < waiting_shown_after)
        return slots;
    for (int slot = 0; slot < static_cast<int>(humans.size()); slot++)
        if (match.waits_for(slot))
            slots.push_back(slot);
    return slots;
}

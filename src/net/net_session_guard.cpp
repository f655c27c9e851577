// What a joiner may cost the others: the host lets go of one that holds the
// match up, never says hello, or never catches up.
#include <cstdio>

#include "net/net_link.h"
#include "net/net_session.h"

// A joiner whose controls stop coming holds every peer's match up: after
// three seconds of it, whether or not its other packets still come, a bot
// plays on from the first tick the host lacks, on every peer alike.
void net_session::watch_hold_ups()
{
    const auto at = link->now();
    for (int peer : roster.peers_in(peer_role::player))
        if (guards[peer].hold_up.look(match.waits_for(roster.slot(peer)), at))
            let_go(peer, "your controls stopped arriving for 3 s");
}

// The host plays on without a joiner and tells it why.
void net_session::let_go(int peer, const std::string& reason)
{
    std::fprintf(stderr, "ZK3: %s: %s\n", roster.who(peer).c_str(), reason.c_str());
    lost(peer);
    net_bye bye;
    bye.why = reason.substr(0, net_max_bye);
    link->send(peer, encode(bye), true);
    link->disconnect(peer);
}

// A connection that never says hello is let go; and a bot's fighter waits
// for each one coming in, but not for ever.
void net_session::turn_away_the_nameless()
{
    const auto at = link->now();
    for (int peer : roster.peers_in(peer_role::nameless | peer_role::coming_in)) {
        const bool nameless = roster.role(peer) == peer_role::nameless;
        if (at - roster.connected_at(peer) > (nameless ? hello_within : ready_within))
            turn_away(peer, nameless ? "no hello within 3 s" : "not caught up on the match within 2 minutes");
    }
}

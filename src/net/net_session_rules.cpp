// Who may send which message in which phase: one row each, looked up before
// anything acts on a packet. Whatever no row allows is refused and counted.
#include "net/net_session.h"

namespace {

unsigned in(net_session::phase phase)
{
    return 1u << static_cast<unsigned>(phase);
}

const unsigned any_phase = ~0u;

const char* phase_name(net_session::phase phase)
{
    switch (phase) {
    case net_session::phase::connecting: return "while connecting";
    case net_session::phase::lobby: return "in the lobby";
    case net_session::phase::playing: return "in the match";
    case net_session::phase::ended: return "after the end";
    }
    return "";
}

const bool by_host = true;
const bool by_joiner = false;

}  // namespace

using phase = net_session::phase;

const net_session::message_rule net_session::rules[] = {
    // kind             sent by  in                                    in the role         taken by
    {net_kind::hello,  by_joiner, in(phase::lobby),                     peer_role::nameless, &net_session::hello_from},
    {net_kind::hello,  by_joiner, in(phase::playing),                   peer_role::nameless, &net_session::late_hello_from},
    {net_kind::lobby,  by_host,   in(phase::connecting) | in(phase::lobby) | in(phase::playing), peer_role::host, &net_session::lobby_from},
    {net_kind::start,  by_host,   in(phase::lobby),                     peer_role::host,     &net_session::start_from},
    {net_kind::catch_up, by_host, in(phase::lobby),                     peer_role::host,     &net_session::catch_up_from},
    {net_kind::ready,  by_joiner, in(phase::playing),                   roles::greeted,      &net_session::ready_from},
    {net_kind::enter,  by_host,   in(phase::playing),                   peer_role::host,     &net_session::enter_from},
    {net_kind::inputs, by_host,   in(phase::playing),                   peer_role::host,     &net_session::inputs_from},
    // A watcher's say what it lacks, and carry no controls of its own.
    {net_kind::inputs, by_joiner, in(phase::playing),                   roles::greeted,      &net_session::inputs_from},
    // A joiner sends its controls until it hears the match is over.
    {net_kind::inputs, by_joiner, in(phase::lobby),                     roles::greeted,      nullptr},
    {net_kind::hash,   by_host,   in(phase::playing),                   peer_role::host,     &net_session::hash_from},
    {net_kind::hash,   by_joiner, in(phase::playing),                   roles::greeted,      &net_session::hash_from},
    {net_kind::leave,  by_host,   in(phase::playing),                   peer_role::host,     &net_session::leave_from},
    {net_kind::bye,    by_host,   any_phase,                            peer_role::host,     &net_session::bye_from},
    {net_kind::bye,    by_joiner, any_phase,                            roles::connected,    &net_session::bye_from},
    {net_kind::chat,   by_host,   in(phase::lobby) | in(phase::playing), peer_role::host,    &net_session::chat_from},
    {net_kind::chat,   by_joiner, in(phase::lobby) | in(phase::playing), peer_role::player,  &net_session::chat_from},
};

const net_session::message_rule* net_session::rule_for(int peer, net_kind kind) const
{
    // On the host every peer is a joiner; a joiner hears only its host.
    if (!roster.hosts() && peer != host_peer)
        return nullptr;
    for (const message_rule& rule : rules)
        if (rule.kind == kind && rule.from_host != roster.hosts() && (rule.phases & in(current_phase)) &&
            rule.roles.has(roster.role(peer)))
            return &rule;
    return nullptr;
}

void net_session::take_message(int peer, const net_message& message)
{
    const message_rule* rule = rule_for(peer, message.kind);
    if (!rule) {
        refuse(peer, std::string("a ") + kind_name(message.kind) + " message is not expected from " +
                         (roster.hosts() ? "a joiner " : "the host ") + phase_name(current_phase));
        return;
    }
    if (rule->take)
        (this->*rule->take)(peer, message);
}

void net_session::leave_from(int peer, const net_message& message)
{
    if (message.leave.slot == roster.own_slot()) {
        refuse(peer, "a leave message for this player's own slot");
        return;
    }
    match.leave(message.leave.slot, message.leave.tick);
}

void net_session::bye_from(int peer, const net_message& message)
{
    if (roster.hosts())
        lost(peer);
    else
        end(message.bye.why.empty() ? "the host left the match" : message.bye.why);
}

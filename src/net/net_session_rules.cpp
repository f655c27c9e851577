// Who may send which message in which phase: one row each, looked up before
// anything acts on a packet. Whatever no row allows is refused and counted.
#include "net/net_session.h"

namespace {

const int host_peer = 0;  // on a joiner

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

}  // namespace

using phase = net_session::phase;

const net_session::message_rule net_session::rules[] = {
    // kind             sent by          in                                   joiner's slot       taken by
    {net_kind::hello,  sender::joiner, in(phase::lobby),                    slot_rule::none_yet, &net_session::hello_from},
    {net_kind::hello,  sender::joiner, in(phase::playing),                  slot_rule::none_yet, &net_session::late_hello_from},
    {net_kind::lobby,  sender::host,   in(phase::connecting) | in(phase::lobby) | in(phase::playing), slot_rule::any, &net_session::lobby_from},
    {net_kind::start,  sender::host,   in(phase::lobby),                    slot_rule::any,      &net_session::start_from},
    {net_kind::catch_up, sender::host, in(phase::lobby),                    slot_rule::any,      &net_session::catch_up_from},
    {net_kind::ready,  sender::joiner, in(phase::playing),                  slot_rule::greeted,  &net_session::ready_from},
    {net_kind::enter,  sender::host,   in(phase::playing),                  slot_rule::any,      &net_session::enter_from},
    {net_kind::inputs, sender::host,   in(phase::playing),                  slot_rule::any,      &net_session::inputs_from},
    // A watcher's say what it lacks, and carry no controls of its own.
    {net_kind::inputs, sender::joiner, in(phase::playing),                  slot_rule::greeted,  &net_session::inputs_from},
    // A joiner sends its controls until it hears the match is over.
    {net_kind::inputs, sender::joiner, in(phase::lobby),                    slot_rule::greeted,  &net_session::pass_over},
    {net_kind::hash,   sender::host,   in(phase::playing),                  slot_rule::any,      &net_session::hash_from},
    {net_kind::hash,   sender::joiner, in(phase::playing),                  slot_rule::greeted,  &net_session::hash_from},
    {net_kind::leave,  sender::host,   in(phase::playing),                  slot_rule::any,      &net_session::leave_from},
    {net_kind::bye,    sender::host,   any_phase,                           slot_rule::any,      &net_session::bye_from},
    {net_kind::bye,    sender::joiner, any_phase,                           slot_rule::any,      &net_session::bye_from},
    {net_kind::chat,   sender::host,   in(phase::lobby) | in(phase::playing), slot_rule::any,    &net_session::chat_from},
    {net_kind::chat,   sender::joiner, in(phase::lobby) | in(phase::playing), slot_rule::given,  &net_session::chat_from},
};

const net_session::message_rule* net_session::rule_for(int peer, net_kind kind) const
{
    // On the host every peer is a joiner; a joiner hears only its host.
    if (hosting ? !remotes[peer].connected : peer != host_peer)
        return nullptr;
    const sender from = hosting ? sender::joiner : sender::host;
    const bool has_slot = remotes[peer].slot >= 0;
    const bool known = has_slot || remotes[peer].watching || remotes[peer].coming_in;
    for (const message_rule& rule : rules) {
        if (rule.kind != kind || rule.from != from || !(rule.phases & in(current_phase)))
            continue;
        if ((rule.slot == slot_rule::none_yet && known) || (rule.slot == slot_rule::given && !has_slot) ||
            (rule.slot == slot_rule::greeted && !known))
            continue;
        return &rule;
    }
    return nullptr;
}

void net_session::take_message(int peer, const net_message& message)
{
    const message_rule* rule = rule_for(peer, message.kind);
    if (!rule) {
        refuse(peer, std::string("a ") + kind_name(message.kind) + " message is not expected from " +
                         (hosting ? "a joiner " : "the host ") + phase_name(current_phase));
        return;
    }
    (this->*rule->take)(peer, message);
}

void net_session::leave_from(int peer, const net_message& message)
{
    if (message.leave.slot == local_slot) {
        refuse(peer, "a leave message for this player's own slot");
        return;
    }
    match.leave(message.leave.slot, message.leave.tick);
}

void net_session::pass_over(int, const net_message&)
{
}

void net_session::bye_from(int peer, const net_message& message)
{
    if (hosting)
        lost(peer);
    else
        end(message.bye.why.empty() ? "the host left the match" : message.bye.why);
}

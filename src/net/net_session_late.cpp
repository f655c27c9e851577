// Players and watchers who come into a match under way. The host sends one
// the match so far as a replay, and it steps through that as a watcher
// does. A watcher then watches on; a player, once it has caught up, says it
// is ready, and the host names the fighter it takes over (the next bot's)
// and the tick it does so on, the same for every peer.
#include <cstdio>

#include "match/cgame.h"
#include "match/control.h"
#include "net/net_recording.h"
#include "net/net_session.h"

const char* const net_session::no_fighter_note = "NO FIGHTER IS FREE: YOU WATCH, AND PLAY IN THE NEXT MATCH";

void net_session::late_hello_from(int peer, const net_message& message)
{
    const match_lineup& lineup = game.get_lineup();
    const late_entry::room has{match.human_count(), lineup.humans + lineup.bots, offered.most_players, most_watchers};
    bool plays = false;
    const std::string why_not = late.why_not(roster, message.hello, has, link->now(), plays);
    if (!why_not.empty()) {
        let_go(peer, why_not);
        return;
    }
    roster.greet_late(peer, message.hello, plays);
    const replay_data past = recording_of(*this);
    const std::vector<std::string> packets = late_entry::catch_up(past, match, started);
    if (packets.empty()) {
        let_go(peer, "the match so far cannot be packed to send");
        return;
    }
    send_lobby(peer);
    for (const std::string& packet : packets)
        link->send(peer, packet, true);
    std::fprintf(stderr, "ZK3: the match so far to %s: %u ticks in %zu bytes\n", roster.who(peer).c_str(), past.ticks,
                 packets.front().size());
    if (roster.role(peer) == peer_role::waiting_for_next)
        note_to(peer, no_fighter_note);
}

// The match from its start, with every human's controls and coming and
// going so far; the rest comes as it comes to any peer.
void net_session::catch_up_from(int, const net_message& message)
{
    replay_data past;
    std::string error;
    if (!unpack_replay(message.catch_up.replay, past, error) || !begin(start_of(past), error)) {
        end("the host's match so far cannot be " +
            std::string(roster.own() == own_role::watcher ? "watched" : "played") + " here: " + error);
        return;
    }
    if (roster.own() != own_role::watcher)
        roster.become(own_role::coming_in);
    for (int slot = 0; slot < static_cast<int>(past.humans.size()); slot++) {
        const recorded_human& human = past.humans[static_cast<std::size_t>(slot)];
        if (human.first_tick > 0) {
            net_enter entry;
            entry.slot = slot;
            entry.tick = human.first_tick;
            entry.look = past.setup.humans[static_cast<std::size_t>(slot)];
            if (!let_in(entry, false))
                return;
        }
        std::uint32_t at = human.first_tick;
        for (const input_run& run : human.runs)
            for (std::uint32_t i = 0; i < run.ticks; i++)
                match.add_remote(slot, at++, run.reading);
        if (at < past.ticks)
            match.leave(slot, at);
    }
}

void net_session::ready_from(int peer, const net_message&)
{
    if (roster.role(peer) != peer_role::coming_in) {
        refuse(peer, "ready, but not coming into the match");
        return;
    }
    // Near the end it waits for the next match, in the lobby.
    if (over)
        return;
    std::string why_not;
    const match_lineup& lineup = game.get_lineup();
    const int fighters = lineup.humans + lineup.bots;
    if (!roster.room_to_come_in(match.human_count(), fighters, offered.most_players, why_not, peer)) {
        roster.set_role(peer, peer_role::waiting_for_next);
        note_to(peer, no_fighter_note);
        return;
    }
    net_enter entry;
    entry.slot = match.human_count();
    entry.tick = match.get_tick() + entry_lead;
    entry.look = roster.look(peer);
    if (!let_in(entry, false))
        return;
    roster.seat(peer, entry.slot);
    guards[peer].hold_up.reset(link->now());  // its controls are due from now on
    for (int joiner : roster.peers_in(roles::greeted)) {
        entry.yours = joiner == peer;
        link->send(joiner, encode(entry), true);
    }
    std::fprintf(stderr, "ZK3: %s takes over slot %d at tick %u\n", entry.look.name.c_str(), entry.slot,
                 entry.tick);
}

void net_session::enter_from(int peer, const net_message& message)
{
    const net_enter& entry = message.enter;
    if (entry.yours && roster.own() != own_role::waiting_for_fighter) {
        refuse(peer, "a fighter for this peer, which did not ask for one");
        return;
    }
    let_in(entry, entry.yours);
}

bool net_session::let_in(const net_enter& entry, bool ours)
{
    if (!match.enter(entry.slot, entry.tick, entry.look.colors, ours)) {
        end("the host let a player into slot " + std::to_string(entry.slot) + " at tick " +
            std::to_string(entry.tick) + ", which this match cannot take");
        return false;
    }
    started.humans.push_back(entry.look);
    roster.add_human(entry.look);
    if (ours) {
        roster.become(own_role::catching_up);
        roster.set_own_slot(entry.slot);
        game.set_shown_slot(entry.slot);
        aiming_slot = entry.slot;
    }
    // Those who know the match already have its readings before the entry.
    relay.entered(entry.slot, entry.tick);
    return true;
}

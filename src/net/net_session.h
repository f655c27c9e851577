// One peer of a network match, the host or a joiner: the lobby, the start,
// and then every tick the exchange of controls and hashes around the
// rollback match. The host is the hub: it tells the joiners their slots,
// starts the match, relays each joiner's controls to the others, and names
// the tick from which a joiner who left is played by a bot.
//
// A host's port is open to anyone, so the host trusts no joiner: it takes
// only what the rules table lets that side send in that phase, a joiner's
// readings only up to two seconds ahead of its own tick, and a bounded
// allowance of bytes; a joiner that holds the match up for three seconds is
// played on by a bot.
//
// The session keeps the phase, the rules table and the link, and hands the
// rest to parts with one job each, every one a value built without a
// network:
//   net_roster.*     who is where: each peer's one role and its slot, this
//                    peer's own role, the humans by slot
//   reading_relay.*  the readings each peer has and the next ones it gets
//   hash_check.*     whether every peer's match is the same
//   match_pace.*     when this peer steps, skips, waits or catches up; the
//                    input delay
//   chat_log.*       the lines heard
//   peer_limits.*    what a joiner may cost the host, and the joiners that
//                    cost too much (peer_guards)
//   late_entry.*     who may come into a match under way, and the match so
//                    far it is sent
//   lobby_offer.*    what the host offers for the next match, and what the
//                    finders of games are told
// The link is made by the caller (link_for_host, link_to_host in
// net_link.h, or a scripted one in the tests) and handed to open.
// The session's own files:
//   net_session.cpp          opening, the link's events, the lobby and the
//                            start
//   net_session_rules.cpp    who may send what, when
//   net_session_match.cpp    the ticks of the match, peers that leave or are
//                            let go, the end and the way back to the lobby
//   net_session_late.cpp     players and watchers who come in late
//   net_session_chat.cpp     what the players say
// Where what comes next goes: a new message (a vote to kick or to change
// the map) gets its row in the rules table; a ban, a mute or a vote cast
// stays with a peer on its roster entry; a join password is checked with
// the hello (hello_from, late_hello_from); an operator's console is one
// more caller of this class.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "match/match_setup.h"
#include "net/chat_log.h"
#include "net/hash_check.h"
#include "net/late_entry.h"
#include "net/lobby_offer.h"
#include "net/match_pace.h"
#include "net/net_messages.h"
#include "net/net_roster.h"
#include "net/net_transport.h"
#include "net/peer_limits.h"
#include "net/reading_relay.h"
#include "net/rollback.h"
#include "replay/replay_file.h"

class net_session {
public:
    enum class phase { connecting, lobby, playing, ended };

    static constexpr std::uint32_t most_taken_ahead = reading_relay::most_taken_ahead;
    // The end of a match stays on every screen this long before the host
    // takes everyone back to its lobby.
    static constexpr std::chrono::seconds end_shown_for{10};
    // Watchers a host lets in beside its players.
    static constexpr int most_watchers = 8;
    // A player come late takes over a bot's fighter this many ticks after
    // the host's tick as it says so: no peer can have guessed that far
    // ahead of the host, so none has to go back further than it can.
    static constexpr std::uint32_t entry_lead = rollback_match::most_ahead + rollback_match::most_delay + 4;

    // Opens the session over `network` (see link_for_host): the lobby of a host
    // in slot 0 wearing `look`, or of a server with no fighter of its own
    // (the joiners take the slots from 0); or a joiner's way in, to play or
    // only to watch, the lobby following once the host answers.
    void open(std::unique_ptr<net_transport> network, own_role role, const net_player& look = {});
    // What the host's lobby offers for the next match, told to the lobby.
    void offer(const lobby_offer& next);
    // The match the host's lobby offers, as a joiner was last told it.
    const net_lobby& get_lobby() const { return lobby_told; }

    // Takes what the network brought; call every tick, in the lobby too.
    void poll(int wait_ms = 0);
    phase get_phase() const { return current_phase; }
    // Who is where: this peer's role and slot (-1 for a server or a
    // watcher), the humans in the lobby or the match, slot 0 (the host) first,
    // the watchers let in.
    const net_roster& get_roster() const { return roster; }
    // The round trip to the human in `slot` in milliseconds, as far as this
    // peer's link knows it (a joiner knows only the host's); -1 otherwise.
    int ping_ms(int slot) const;

    // The host starts the match on the map it read from `map_text`, with the
    // bots, skill and rules it offers; every joiner starts it as the start
    // message arrives. The match then runs in `game`.
    bool start_match(const std::string& map_name, const std::string& map_text, std::uint32_t seed,
                     std::string& error);
    // One tick of the match: the local controls read now, then a step unless
    // this peer must wait for the others or has run ahead of them.
    void tick(const control_reading& local);
    // Once the match has ended by its limits on every peer alike: how, and
    // the tick it ended after. The host takes everyone back to its lobby
    // `end_shown_for` later.
    bool match_over(match_result& result, std::uint32_t& at) const;
    // The host ends the match before its limits (a server whose players
    // all left) and takes whoever is there back to its lobby.
    void return_to_lobby();
    // Leaves: a joiner says goodbye, the host ends the match for everyone.
    void leave() { end(""); }
    // Headless peers: stop after `last` ticks (a multiple of 100), and
    // whether this peer and every other still in the match agree on the
    // hash there.
    void stop_at(std::uint32_t last) { match.set_end(last); }
    bool all_agree_at(std::uint32_t last) const;

    // Why the match or the lobby ended, for the screen and standard error.
    const std::string& get_ended_why() const { return why; }
    // The host's last word about someone who could not join; "" none.
    const std::string& get_notice() const { return notice; }
    const rollback_match& get_match() const { return match; }
    // The match as it began: its map and rules, and its humans by slot:
    // those it began with, then those who came in late.
    const net_start& get_start() const { return started; }
    // What this peer has sent, skipped to let slower peers catch up, and
    // refused from every peer so far.
    struct counts {
        std::uint64_t bytes_sent = 0;
        std::uint32_t skips = 0;
        std::uint64_t refused = 0;
    };
    counts get_counts() const;
    // The slots the match has been waiting for, once it has waited a
    // moment; empty while it steps.
    std::vector<int> waiting_for() const;
    // The misbehaving peer of the tests: a packet of its own making.
    void send_raw(int peer, const std::string& packet, bool reliable);

    // Says a line (is_chat_text) in the lobby or the match. The host takes
    // its own line as it takes a joiner's; a joiner's goes to the host,
    // which hears it back, as everyone does, unless it refuses it.
    void say(const std::string& text);
    // The lines heard.
    const chat_log& get_chat() const { return chat; }
    // What the host tells a player whose line it refused.
    static const char* const too_fast_note;
    static const char* const bad_line_note;
    // What the host tells a player come late when no fighter is free.
    static const char* const no_fighter_note;

private:
    // Who may send which message in which phase, and what taking it does.
    struct message_rule {
        net_kind kind;
        bool from_host;   // else from a joiner
        unsigned phases;  // a bit for each phase it may come in
        peer_roles roles;  // of a joiner: the roles it may send it in
        void (net_session::*take)(int peer, const net_message& message);  // null: passed over
    };
    static const message_rule rules[];

    // An event of the link: a packet is taken only as the rules table lets it.
    void take(const net_event& event);
    void take_message(int peer, const net_message& message);
    const message_rule* rule_for(int peer, net_kind kind) const;
    void refuse(int peer, const std::string& reason);
    void other_version_from(int peer, std::uint8_t version, bool hello);
    void report_refusals(bool all_now);
    // The rules table's actions.
    void hello_from(int peer, const net_message& message);
    void late_hello_from(int peer, const net_message& message);
    void catch_up_from(int peer, const net_message& message);
    void ready_from(int peer, const net_message& message);
    void enter_from(int peer, const net_message& message);
    void lobby_from(int peer, const net_message& message);
    void start_from(int peer, const net_message& message);
    void inputs_from(int peer, const net_message& message);
    void hash_from(int peer, const net_message& message);
    void leave_from(int peer, const net_message& message);
    void bye_from(int peer, const net_message& message);
    void chat_from(int peer, const net_message& message);
    // One packet to every peer in `roles`.
    void send_to(peer_roles roles, const std::string& packet);
    // To every greeted peer, or only to `only`.
    void send_lobby(int only = -1);
    // The host takes a line of `slot`'s (from `peer`, or its own with -1),
    // and relays it, or refuses it with a note to the speaker.
    void take_line(int peer, int slot, const std::string& text);
    void note_to(int peer, const char* text);
    // A player come late takes the next fighter from `at` on.
    bool let_in(const net_enter& entry, bool ours);
    bool begin(const net_start& start, std::string& error);
    void lost(int peer);
    // The host plays on without a joiner, and tells it why.
    void let_go(int peer, const std::string& reason);
    // What the others lack of this peer's match: readings and hashes.
    void send_match();
    // What each peer knew of the last match goes.
    void forget_the_match();
    // Ends the session: "" a leave, else why it ended.
    void end(const std::string& reason);

    std::unique_ptr<net_transport> link;
    phase current_phase = phase::connecting;
    net_player own_look;
    net_roster roster;
    peer_guards guards;
    reading_relay relay;
    hash_check hashes;
    match_pace pace;
    chat_log chat;
    net_start started;  // the match as it began
    rollback_match match;
    match_starter starter;
    std::string why;
    std::string notice;
    lobby_offer offered;          // the host's, for the next match
    net_lobby lobby_told;         // a joiner's last word from the host's lobby
    bool over = false;            // the match ended by its rules, on every peer
    match_result result;
    std::uint32_t over_at = 0;
    net_transport::clock::time_point over_since{};
    game_listing listed;
    line_rate own_lines;  // the host's own
    late_entry late;
};

// The session's match so far as a replay: every human's confirmed controls,
// and the lines said in the match at their ticks.
replay_data recording_of(const net_session& session);

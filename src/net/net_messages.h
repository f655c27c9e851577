// The messages peers of a network match send each other, and the one reader
// that checks every byte of a packet before anything acts on it.
//
// The host is the hub: joiners talk only to the host, which relays each
// joiner's controls to the others. Every packet starts with the bytes 'Z',
// 'K', the protocol version and the message kind; numbers are little-endian,
// counts and ticks unsigned LEB128 varints.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec/input_runs.h"
#include "match/chat_text.h"
#include "match/control.h"
#include "match/match_rules.h"
#include "match/match_shape.h"
#include "match/match_setup.h"
#include "match/player_name.h"

// Every version keeps the header and the bye as they are, so that a peer
// of another version can still be told so in words.
const std::uint8_t net_protocol_version = 6;
// The slots a packet may name, one for each fighter. Another fighter count is
// another protocol, with a version of its own.
const int net_max_slots = max_players;
// A start message carries the map's text (zlib-packed); nothing else comes
// near this.
const std::size_t net_max_packet = 1u << 21;
// A catch-up's replay: what a packet holds beside its header and length.
const std::size_t net_max_catch_up = net_max_packet - 16;
// Readings (ticks) of one slot in one inputs message.
const std::size_t net_max_readings = 256;
// The longest reason a bye may give, in bytes.
const std::size_t net_max_bye = 200;

enum class net_kind : std::uint8_t {
    hello = 1,   // joiner -> host: wants in, with its colours and name
    lobby = 2,   // host -> joiner: who is in so far, and the joiner's slot
    start = 3,   // host -> all: the match begins at tick 0
    inputs = 4,  // both ways: controls of some slots for a run of ticks
    hash = 5,    // both ways: the match state's hash at a tick
    leave = 6,   // host -> all: a slot is a bot from a tick on
    bye = 7,     // either way: this peer is leaving; from the host, the match ends
    chat = 8,    // joiner -> host: a line said; host -> all: a line to show
    catch_up = 9,  // host -> a watcher or player come late: the match so far, as a replay file
    ready = 10,    // player come late -> host: caught up, ready to take a fighter
    enter = 11,    // host -> all: a player come late takes over a bot's fighter from a tick on
};

// A chat line's slot when it is the host's word to one joiner alone (a line
// of its refused, say) rather than a player's.
const int net_chat_note_slot = 255;

// A human as the others see them.
using net_player = human_look;

struct net_hello {
    net_player look;
    bool watching = false;  // wants to watch, with no fighter of its own

    bool operator==(const net_hello& other) const { return look == other.look && watching == other.watching; }
};

// A lobby's `your_slot` for a watcher, who has none.
const int net_no_slot = 255;

struct net_lobby {
    int your_slot = 0;               // one of the humans' slots, or net_no_slot for a watcher
    std::vector<net_player> humans;  // slot 0 upward, up to max_players
    std::string map_name;            // as in a replay: ends ".zkm"
    int bots = 0;                    // humans + bots <= max_players
    int skill = 1;
    match_rules rules;
    bool host_plays = true;  // slot 0 is the host's; a server has no fighter

    bool operator==(const net_lobby& other) const;
};

// The start: the match's set-up as it is, 1..11 humans in slot order, 2
// fighters at least with the bots; the map's text is zlib-packed on the wire.
using net_start = match_setup;

// The controls of one slot from `first_tick` on, one reading a tick, packed
// as replays pack them: runs, each saying only what changed from the run
// before. The first run follows the slot's reading before `first_tick` (an
// idle one before tick 0), which every peer that can use these readings
// already has; so does their scale, unless told.
struct net_slot_inputs {
    int slot = 0;
    std::uint32_t first_tick = 0;
    bool scale_told = false;
    float scale_x = 1;
    float scale_y = 1;
    std::vector<run_change> runs;  // 1.., lasting 1..net_max_readings ticks in all

    std::uint32_t ticks() const;
    bool operator==(const net_slot_inputs& other) const;
};

// Packs `count` readings of `slot` from `first_tick` on, after `before`, as
// far as they keep the first one's scale (a new scale starts a new entry);
// how many it packed.
std::size_t pack_readings(net_slot_inputs& entry, const control_reading& before, const control_reading* readings,
                          std::size_t count);
// The readings `entry` holds after `before`. False, with the reason, when
// they take the pointer beyond its reach.
bool unpack_readings(const net_slot_inputs& entry, const control_reading& before,
                     std::vector<control_reading>& readings, std::string& reason);

struct net_inputs {
    // The sender's own tick as it sent this, for keeping peers in time.
    std::uint32_t sender_tick = 0;
    // For each slot whose readings the receiver sends the sender, the first
    // tick whose reading the sender still lacks; 0 for the others (a peer
    // tells only what the other needs to hear).
    std::uint32_t have_until[net_max_slots] = {};
    std::vector<net_slot_inputs> slots;  // at most one entry a slot

    bool operator==(const net_inputs& other) const;
};

struct net_hash {
    std::uint32_t tick = 0;
    std::uint64_t hash = 0;

    bool operator==(const net_hash& other) const { return tick == other.tick && hash == other.hash; }
};

struct net_leave {
    int slot = 1;            // never a playing host's 0
    std::uint32_t tick = 0;  // its first tick as a bot

    bool operator==(const net_leave& other) const { return slot == other.slot && tick == other.tick; }
};

struct net_bye {
    std::string why;  // up to 200 bytes, shown to the others

    bool operator==(const net_bye& other) const { return why == other.why; }
};

// From a joiner the host reads only the text: the speaker is the sender's
// slot and the tick the host's own.
struct net_chat {
    int slot = 0;            // the speaker, 0..10, or net_chat_note_slot
    std::uint32_t tick = 0;  // the host's match tick as it took the line; 0 in the lobby
    std::string text;        // is_chat_text

    bool operator==(const net_chat& other) const
    {
        return slot == other.slot && tick == other.tick && text == other.text;
    }
};

// A player come late takes over the bot's fighter in `slot` from `tick` on:
// always the first slot after the humans so far, so never the host's 0.
struct net_enter {
    int slot = 1;
    std::uint32_t tick = 1;  // after tick 0
    net_player look;         // its name; the fighter keeps the bot's colours
    bool yours = false;      // told to the player itself

    bool operator==(const net_enter& other) const
    {
        return slot == other.slot && tick == other.tick && look == other.look && yours == other.yours;
    }
};

// The match so far for a watcher who joins it late: a whole replay file's
// bytes, read by the replay reader with every check it makes.
struct net_catch_up {
    std::string replay;  // 1 byte up to nearly net_max_packet

    bool operator==(const net_catch_up& other) const { return replay == other.replay; }
};

// One decoded packet: `kind` says which member holds it.
struct net_message {
    net_kind kind = net_kind::bye;
    net_hello hello;
    net_lobby lobby;
    net_start start;
    net_inputs inputs;
    net_hash hash;
    net_leave leave;
    net_bye bye;
    net_chat chat;
    net_catch_up catch_up;
    net_enter enter;

    // The same kind and the same member of that kind; the others are not looked at.
    bool operator==(const net_message& other) const;
};

// "hello", "lobby" and so on, for messages about a message.
const char* kind_name(net_kind kind);

std::string encode(const net_hello& message);
std::string encode(const net_lobby& message);
// Empty when the map text cannot be packed: no packet rather than a corrupt one.
std::string encode(const net_start& message);
std::string encode(const net_inputs& message);
std::string encode(const net_hash& message);
std::string encode(const net_leave& message);
std::string encode(const net_bye& message);
std::string encode(const net_catch_up& message);
std::string encode(const net_chat& message);
std::string encode(const net_enter& message);
// The ready message, which says nothing more.
std::string encode_ready();
// The member `kind` names; empty as above for a start.
std::string encode(const net_message& message);

// A bye as a peer of protocol `version` reads it: the answer to a hello of
// another version.
std::string encode_bye_for(std::uint8_t version, const net_bye& message);
// True, with its version, when the bytes are a ZK3 packet of another
// protocol version than this game's.
bool is_other_version(const std::uint8_t* data, std::size_t size, std::uint8_t& version);
// Whether such a packet is a hello (the kind's number never changes).
bool is_hello(const std::uint8_t* data, std::size_t size);

// Decodes a whole packet. False, with a one-line reason in `error`, for
// anything malformed, too large, of another version or with a value out of
// range; `out` is then unspecified. A start message's map text is only
// unpacked here, not yet checked as a map: the caller reads it through the
// game's map reader.
bool decode(const std::uint8_t* data, std::size_t size, net_message& out, std::string& error);

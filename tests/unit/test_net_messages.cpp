// The network's messages: every kind reads back exactly what was written, no
// cut or lengthened packet is taken, and every bad value is refused with a
// one-line reason naming it.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "codec/byte_codec.h"
#include "net/net_messages.h"

namespace {

std::string tower_text()
{
    std::ifstream file("zkm/tower.zkm", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

net_player look(int hair, int shirt, int pants, const char* name = "PLAYER")
{
    net_player player;
    player.colors[0] = hair, player.colors[1] = shirt, player.colors[2] = pants;
    player.name = name;
    return player;
}

control_reading reading(std::uint16_t keys, std::uint8_t buttons, int x, int y, float scale_x = 1,
                        float scale_y = 1)
{
    control_reading r;
    r.keys = keys, r.buttons = buttons, r.pointer_x = x, r.pointer_y = y;
    r.scale_x = scale_x, r.scale_y = scale_y;
    return r;
}

net_message of(net_kind kind)
{
    net_message m;
    m.kind = kind;
    return m;
}

net_message hello()
{
    net_message m = of(net_kind::hello);
    m.hello.look = look(2, 5, 0, "Ann");
    return m;
}

net_message lobby()
{
    net_message m = of(net_kind::lobby);
    m.lobby = {2, {look(0, 0, 3, "host-1"), look(1, 2, 5, "FIFTEEN_LETTERS"), look(2, 5, 0, "a b")},
               "tower.zkm", 8, 0, {most_score_limit, 0}};
    return m;
}

net_message start()
{
    net_message m = of(net_kind::start);
    m.start = {0xdeadbeef, 2, 1, {20, most_time_limit}, {look(0, 0, 3, "Z"), look(2, 1, 4, "bob_2")},
               "tower.zkm", tower_text()};
    return m;
}

// `readings` of `slot` from `first_tick` on, after `before`, all in one entry.
net_slot_inputs entry_of(int slot, std::uint32_t first_tick, const control_reading& before,
                         const std::vector<control_reading>& readings)
{
    net_slot_inputs entry;
    entry.slot = slot;
    entry.first_tick = first_tick;
    EXPECT_EQ(pack_readings(entry, before, readings.data(), readings.size()), readings.size());
    return entry;
}

// Two slots, one of them at the last ticks a match can have, with a scale of
// its own, moves across the pointer's whole reach and more runs than the
// head byte holds.
net_message inputs()
{
    net_message m = of(net_kind::inputs);
    m.inputs.sender_tick = 1234;
    for (int slot = 0; slot < net_max_slots; slot++)
        m.inputs.have_until[slot] = 1000u * static_cast<std::uint32_t>(slot) + 7;
    m.inputs.have_until[4] = 0;
    m.inputs.have_until[10] = std::numeric_limits<std::uint32_t>::max();
    const net_slot_inputs first =
        entry_of(3, 1200, reading(0, 0, 0, 0),
                 {reading(0, 0, 960, 540, 0.01f, 100),
                  reading(key_right | key_jump, button_fire, -1000000, 1000000, 0.01f, 100),
                  reading(all_control_keys, all_control_buttons, 1000000, -1000000, 0.01f, 100)});
    std::vector<control_reading> many;
    for (std::size_t i = 0; i < net_max_readings; i++)
        many.push_back(reading(static_cast<std::uint16_t>(i / 20 % 512), 0, static_cast<int>(i / 20) * 3, -7));
    const net_slot_inputs last =
        entry_of(10, std::numeric_limits<std::uint32_t>::max() - net_max_readings, reading(0, 0, 5, 5), many);
    m.inputs.slots = {first, last};
    return m;
}

net_message hash()
{
    net_message m = of(net_kind::hash);
    m.hash = {6000, 0x0123456789abcdefull};
    return m;
}

net_message leave()
{
    net_message m = of(net_kind::leave);
    m.leave = {10, 99999};
    return m;
}

net_message bye()
{
    net_message m = of(net_kind::bye);
    m.bye.why = std::string(net_max_bye, 'x');
    return m;
}

// The longest line, of every character a line may hold.
net_message chat()
{
    net_message m = of(net_kind::chat);
    m.chat.slot = 10;
    m.chat.tick = 4000000000u;
    for (std::size_t i = 0; i < max_chat_text; i++)
        m.chat.text += static_cast<char>(' ' + i % 95);
    return m;
}

net_message note()
{
    net_message m = of(net_kind::chat);
    m.chat = {net_chat_note_slot, 0, "x"};
    return m;
}

bool decode(const std::string& packet, net_message& out, std::string& error)
{
    return decode(reinterpret_cast<const std::uint8_t*>(packet.data()), packet.size(), out, error);
}

struct round_trip {
    const char* what;
    net_message message;
};

TEST(NetMessages, EveryKindReadsBackExactlyAndOnlyWhole)
{
    net_message empty_map = start();
    empty_map.start.map_text.clear();
    empty_map.start.humans.resize(net_max_slots);
    empty_map.start.bots = 0;
    net_message watcher = hello();
    watcher.hello.watching = true;
    net_message server_lobby = lobby();
    server_lobby.lobby.humans.clear();
    server_lobby.lobby.your_slot = net_no_slot;
    server_lobby.lobby.host_plays = false;
    net_message lone_human = start();
    lone_human.start.humans.resize(1);
    const round_trip table[] = {
        {"a watcher's hello", watcher}, {"a catch-up", [] {
             net_message m = of(net_kind::catch_up);
             m.catch_up.replay = std::string("ZK3RPLAY\0\x01", 10);
             return m;
         }()}, {"a server's empty lobby, to a watcher", server_lobby},
        {"one human and a bot", lone_human},
        {"hello", hello()},   {"lobby", lobby()},
        {"start", start()},   {"start, empty map", empty_map},
        {"inputs", inputs()}, {"inputs, no slots", of(net_kind::inputs)},
        {"hash", hash()},     {"leave", leave()},
        {"bye", bye()},       {"bye, no reason", of(net_kind::bye)},
        {"chat", chat()},     {"a note", note()},
        {"ready", of(net_kind::ready)}, {"enter", [] {
             net_message m = of(net_kind::enter);
             m.enter = {10, 123456, net_player{}, true};
             return m;
         }()},
    };
    for (const round_trip& row : table) {
        const std::string packet = encode(row.message);
        ASSERT_LE(packet.size(), net_max_packet) << row.what;
        net_message back;
        std::string error;
        ASSERT_TRUE(decode(packet, back, error)) << row.what << ": " << error;
        EXPECT_EQ(error, "");
        EXPECT_TRUE(back == row.message) << row.what;
        // Every cut is refused, and so is one byte more.
        for (std::size_t size = 0; size < packet.size(); size += 1 + size / 64)
            EXPECT_FALSE(decode(packet.substr(0, size), back, error)) << row.what << " cut to " << size;
        EXPECT_FALSE(decode(packet + '\0', back, error)) << row.what;
        EXPECT_NE(error.find("1 trailing byte after the"), std::string::npos) << row.what << ": " << error;
    }
    EXPECT_LT(encode(inputs().inputs).size(), 16u * 1024) << "256 readings of one slot fit a small packet";
}

struct packing {
    const char* what;
    control_reading before;
    std::vector<control_reading> readings;
    std::size_t packed;  // how many one entry takes
};

// Readings go in runs after the reading before them, and come back exactly
// after that same reading; a new scale waits for an entry of its own.
TEST(NetMessages, ReadingsPackedAfterTheOneBeforeComeBackExactly)
{
    const control_reading aiming = reading(key_left, button_fire, 700, 300);
    std::vector<control_reading> held(40, aiming);
    std::vector<control_reading> moving;
    for (int i = 0; i < 9; i++)
        moving.push_back(reading(key_left, i % 2 ? button_fire : 0, 700 + 5 * i, 300 - 3 * i));
    std::vector<control_reading> rescaled = {aiming, aiming, reading(key_left, button_fire, 700, 300, 0.5f, 0.5f)};
    std::vector<control_reading> far(net_max_readings + 10, aiming);
    const packing table[] = {
        {"one reading like the one before", aiming, {aiming}, 1},
        {"after tick 0's idle reading", control_reading{}, {aiming, aiming}, 2},
        {"a run longer than its flags hold", control_reading{}, held, 40},
        {"more runs than the head holds", aiming, moving, 9},
        {"from one end of the reach to the other", reading(0, 0, -1000000, 1000000),
         {reading(0, 0, 1000000, -1000000), reading(0, 0, -1000000, 1000000)}, 2},
        {"a scale of its own", control_reading{}, {reading(0, 0, 1, 2, 0.5f, 2)}, 1},
        {"a new scale on the way", control_reading{}, rescaled, 2},
        {"more than a message holds", aiming, far, net_max_readings},
    };
    for (const packing& row : table) {
        net_message m = of(net_kind::inputs);
        m.inputs.sender_tick = 500;
        net_slot_inputs entry;
        entry.slot = 2;
        entry.first_tick = 480;
        EXPECT_EQ(pack_readings(entry, row.before, row.readings.data(), row.readings.size()), row.packed)
            << row.what;
        m.inputs.slots.push_back(entry);
        const std::string packet = encode(m);
        net_message back;
        std::string error;
        ASSERT_TRUE(decode(packet, back, error)) << row.what << ": " << error;
        std::vector<control_reading> readings;
        ASSERT_TRUE(unpack_readings(back.inputs.slots[0], row.before, readings, error)) << row.what << ": " << error;
        const std::vector<control_reading> expected(row.readings.begin(), row.readings.begin() + row.packed);
        EXPECT_TRUE(readings == expected) << row.what;
    }
}

// The moves a packet may hold are checked as it is read; where they take
// the pointer depends on the reading before, so that is checked as they
// are unpacked after it.
TEST(NetMessages, ReadingsThatTakeThePointerBeyondItsReachAreRefused)
{
    const struct {
        const char* what;
        control_reading before;
        control_reading after;
        const char* phrase;  // "" when it unpacks
    } table[] = {
        {"to the edge", reading(0, 0, 0, 0), reading(0, 0, 1000000, -1000000), ""},
        {"past the right edge", reading(0, 0, 600000, 0), reading(0, 0, 500000, 0), "the pointer's x goes beyond"},
        {"past the top", reading(0, 0, 0, -500000), reading(0, 0, 0, -600000),
         "the pointer's y goes beyond 1000000 pixels"},
    };
    for (const auto& row : table) {
        // Packed after the origin, unpacked after another reading.
        net_slot_inputs entry;
        pack_readings(entry, reading(0, 0, 0, 0), &row.after, 1);
        std::vector<control_reading> readings;
        std::string error;
        const bool unpacked = unpack_readings(entry, row.before, readings, error);
        EXPECT_EQ(unpacked, row.phrase[0] == '\0') << row.what;
        EXPECT_NE(error.find(row.phrase), std::string::npos) << row.what << ": " << error;
    }
}

// What a host sends one joiner each tick, the other two players' last four
// readings with the pointer moving on every one of them, stays within the
// 40 bytes that make 4 KB a second.
TEST(NetMessages, AHostsPacketOfTwoMovingSlotsFitsFortyBytes)
{
    net_inputs inputs;
    inputs.sender_tick = 29000;
    inputs.have_until[1] = 29005;
    for (int slot : {0, 2}) {
        std::vector<control_reading> four;
        for (int i = 1; i <= 4; i++)
            four.push_back(reading(key_right, button_fire, 900 + 7 * i, 500 - 9 * i));
        inputs.slots.push_back(entry_of(slot, 29002 + static_cast<std::uint32_t>(slot),
                                        reading(key_right, button_fire, 900, 500), four));
    }
    EXPECT_LE(encode(inputs).size(), 40u);
}

// A packet with the good header of `kind` and the body `write` writes.
std::string raw(net_kind kind, const std::function<void(byte_writer&)>& write)
{
    byte_writer out;
    out.byte('Z'), out.byte('K'), out.byte(net_protocol_version), out.byte(static_cast<std::uint8_t>(kind));
    write(out);
    return out.bytes;
}

std::string changed(net_message message, const std::function<void(net_message&)>& change)
{
    change(message);
    return encode(message);
}

std::string cut(net_message message, std::size_t lose)
{
    const std::string packet = encode(message);
    return packet.substr(0, packet.size() - lose);
}

// A start message whose map text is `packed`, said to unpack to `length` bytes.
std::string start_with_packed_text(std::uint64_t length, const std::string& packed)
{
    return raw(net_kind::start, [&](byte_writer& out) {
        out.u32(1), out.byte(1), out.varint(0), out.varint(0), out.varint(0), out.varint(2);
        for (int human = 0; human < 2; human++)
            out.byte(0), out.byte(0), out.byte(0), out.text("A");
        out.text("a.zkm"), out.varint(length), out.text(packed);
    });
}

// The packed map text of a good start message of "abc".
std::string packed_abc()
{
    net_message m = start();
    m.start.map_text = "abc";
    const std::string packet = encode(m);
    const std::string tail = packet.substr(packet.find(".zkm") + 4);
    return tail.substr(2);  // after the two lengths, each a byte here
}

struct refusal {
    const char* what;
    std::function<std::string()> packet;
    const char* phrase;
};

TEST(NetMessages, EveryBadValueIsRefusedWithItsReason)
{
    using message = net_message&;
    const float not_a_number = std::nanf("");
    const float infinite = std::numeric_limits<float>::infinity();
    const refusal table[] = {
        {"empty", [] { return std::string(); }, "too short to be a ZK3 packet (0 bytes)"},
        {"cut in the header", [] { return cut(hash(), encode(hash()).size() - 3); }, "too short"},
        {"wrong magic",
         [] {
             std::string p = encode(hash());
             p[1] = 'Q';
             return p;
         },
         "not a ZK3 packet"},
        {"other version",
         [] {
             std::string p = encode(hash());
             p[2] = net_protocol_version - 1;
             return p;
         },
         "; this game speaks"},
        {"kind 12",
         [] {
             std::string p = encode(hash());
             p[3] = 12;
             return p;
         },
         "unknown message kind 12"},
        {"an entry into the host's slot", [] { return raw(net_kind::enter, [](byte_writer& o) { o.byte(0); }); },
         "the slot taken 0 is not 1 to 10"},
        {"an entry at tick 0", [] { return raw(net_kind::enter, [](byte_writer& o) { o.byte(3), o.varint(0); }); },
         "an entry at tick 0"},
        {"an empty catch-up", [] { return raw(net_kind::catch_up, [](byte_writer& o) { o.varint(0); }); },
         "catch-up message: a replay of 0 bytes"},
        {"too large",
         [] {
             std::string p = encode(bye());
             p.resize(net_max_packet + 1);
             return p;
         },
         "a packet of 2097153 bytes; at most 2097152"},
        {"cut in the colours", [] { return cut(hello(), 7); },
         "hello message: the packet ends inside the shirt"},
        {"cut in the name", [] { return cut(hello(), 2); }, "hello message: the packet ends inside the name"},
        {"empty name", [] { return changed(hello(), [](message m) { m.hello.look.name.clear(); }); },
         "hello message: a name of 0 bytes (1 to 15)"},
        {"long name",
         [] { return changed(lobby(), [](message m) { m.lobby.humans[2].name = "SIXTEEN_LETTERSX"; }); },
         "lobby message: a name of 16 bytes (1 to 15)"},
        {"name with a dot",
         [] { return changed(start(), [](message m) { m.start.humans[1].name = "bob.2"; }); },
         "start message: the name is not a player's name"},
        {"name with a control character",
         [] { return changed(hello(), [](message m) { m.hello.look.name = "a\nb"; }); },
         "the name is not a player's name"},
        {"cut in the map name", [] { return cut(lobby(), 8); },
         "lobby message: the packet ends inside the map name"},
        {"cut in the map text", [] { return cut(start(), 1); },
         "start message: the packet ends inside the packed map"},
        {"cut in a run", [] { return cut(inputs(), 1); },
         "inputs message: the packet ends inside the pointer's move"},
        {"cut in the scale",
         [] {
             return raw(net_kind::inputs, [](byte_writer& o) {
                 o.varint(0), o.varint(0), o.varint(1), o.byte(0x33), o.zigzag(0), o.u16(0);
             });
         },
         "inputs message: the packet ends inside the scale"},
        {"cut in the hash", [] { return cut(hash(), 1); }, "hash message: the packet ends inside the hash"},
        {"cut in the reason", [] { return cut(bye(), 1); }, "bye message: the packet ends inside the reason"},
        {"trailing byte", [] { return encode(leave()) + 'x'; },
         "leave message: 1 trailing byte after the leave"},
        {"overlong number",
         [] { return raw(net_kind::hash, [](byte_writer& o) { o.bytes += std::string(11, '\xff'); }); },
         "the tick is not a number"},
        {"tick beyond any match",
         [] { return raw(net_kind::hash, [](byte_writer& o) { o.varint(1ull << 32), o.u64(0); }); },
         "the tick 4294967296 is beyond any match"},
        {"your slot 11", [] { return changed(lobby(), [](message m) { m.lobby.your_slot = 11; }); },
         "your slot 11 is neither a human's (0 to 2) nor a watcher's (255)"},
        {"your slot not a human's", [] { return changed(lobby(), [](message m) { m.lobby.your_slot = 3; }); },
         "your slot 3 is neither"},
        {"leaving slot 11", [] { return changed(leave(), [](message m) { m.leave.slot = 11; }); },
         "the leaving slot 11 is not 0 to 10"},
        {"watching 2", [] { return cut(hello(), 1) + '\x02'; }, "hello message: watching is 2, not 0 or 1"},
        {"host plays 7", [] { return cut(lobby(), 1) + '\x07'; }, "lobby message: host plays is 7, not 0 or 1"},
        {"entry's slot 11", [] { return changed(inputs(), [](message m) { m.inputs.slots[0].slot = 11; }); },
         "an entry's slot 11 is not 0 to 10"},
        {"a slot twice", [] { return changed(inputs(), [](message m) { m.inputs.slots[1].slot = 3; }); },
         "slot 3 has two entries"},
        {"no humans in a player's lobby",
         [] { return changed(lobby(), [](message m) { m.lobby.humans.clear(); }); }, "your slot 2 is neither"},
        {"12 humans in a lobby",
         [] { return changed(lobby(), [](message m) { m.lobby.humans.resize(12); }); }, "12 humans"},
        {"one fighter to start", [] {
             return changed(start(), [](message m) {
                 m.start.humans.resize(1);
                 m.start.bots = 0;
             });
         },
         "start message: one fighter alone; a match has two at least"},
        {"no humans to start", [] { return changed(start(), [](message m) { m.start.humans.clear(); }); },
         "start message: 0 humans; this message holds 1 to 11"},
        {"too many fighters", [] { return changed(lobby(), [](message m) { m.lobby.bots = 9; }); },
         "3 humans and 9 bots; a match has at most 11 fighters"},
        {"hair", [] { return changed(hello(), [](message m) { m.hello.look.colors[0] = 3; }); },
         "hello message: hair colour 3 is not 0 to 2"},
        {"shirt", [] { return changed(lobby(), [](message m) { m.lobby.humans[1].colors[1] = 6; }); },
         "shirt colour 6 is not 0 to 5"},
        {"pants", [] { return changed(start(), [](message m) { m.start.humans[0].colors[2] = 6; }); },
         "pants colour 6 is not 0 to 5"},
        {"skill", [] { return changed(lobby(), [](message m) { m.lobby.skill = 3; }); },
         "skill 3 is not 0 (hard) to 2"},
        {"keys", [] { return changed(inputs(), [](message m) { m.inputs.slots[0].runs[1].keys |= 1 << 9; }); },
         "keys 0x205 hold one the game has no key for"},
        {"buttons", [] { return changed(inputs(), [](message m) { m.inputs.slots[0].runs[1].buttons = 4; }); },
         "buttons 0x4 hold one the game has no button for"},
        {"a move across more than the pointer's reach",
         [] { return changed(inputs(), [](message m) { m.inputs.slots[0].runs[2].move_x = 2000001; }); },
         "the pointer's x goes beyond 1000000 pixels"},
        {"a move of y too far back",
         [] { return changed(inputs(), [](message m) { m.inputs.slots[0].runs[2].move_y = -2000001; }); },
         "the pointer's y goes beyond"},
        {"scale 0", [] { return changed(inputs(), [](message m) { m.inputs.slots[0].scale_x = 0; }); },
         "the horizontal scale 0 is not 0.01 to 100"},
        {"scale too big", [] { return changed(inputs(), [](message m) { m.inputs.slots[0].scale_y = 101; }); },
         "the vertical scale 101"},
        {"scale not a number",
         [&] { return changed(inputs(), [&](message m) { m.inputs.slots[0].scale_y = not_a_number; }); },
         "the vertical scale nan"},
        {"scale infinite",
         [&] { return changed(inputs(), [&](message m) { m.inputs.slots[0].scale_x = infinite; }); },
         "the horizontal scale inf"},
        {"no runs", [] { return changed(inputs(), [](message m) { m.inputs.slots[0].runs.clear(); }); },
         "slot 3 has 0 runs (1 to 256)"},
        {"too many runs",
         [] {
             return changed(inputs(), [](message m) { m.inputs.slots[1].runs.resize(257, {0, 0, 0, 0, 0, 1}); });
         },
         "slot 10 has 257 runs (1 to 256)"},
        {"a run of 0 ticks", [] { return changed(inputs(), [](message m) { m.inputs.slots[0].runs[1].ticks = 0; }); },
         "inputs message: the run lasts 0 ticks"},
        {"a run longer than a message holds",
         [] { return changed(inputs(), [](message m) { m.inputs.slots[0].runs[0].ticks = 257; }); },
         "the run lasts longer than a message's 256 ticks"},
        {"runs longer than a message holds",
         [] {
             return changed(inputs(), [](message m) {
                 m.inputs.slots[0].runs[0].ticks = 200;
                 m.inputs.slots[0].runs[2].ticks = 57;
             });
         },
         "slot 3's runs last longer than 256 ticks"},
        {"a told slot beyond the last",
         [] { return raw(net_kind::inputs, [](byte_writer& o) { o.varint(9), o.varint(1u << 11), o.varint(0); }); },
         "the told slots 0x800 name one beyond slot 10"},
        {"a have-until tick before the first",
         [] { return raw(net_kind::inputs, [](byte_writer& o) { o.varint(5), o.varint(1), o.zigzag(-6); }); },
         "a have-until tick -1 is beyond any match"},
        {"an entry's first tick far from the sender's",
         [] {
             return raw(net_kind::inputs, [](byte_writer& o) {
                 o.varint(5), o.varint(0), o.varint(1), o.byte(0x22), o.zigzag(1ll << 40);
             });
         },
         "an entry's first tick steps 1099511627776 ticks from the sender's, beyond any match"},
        {"readings beyond the last tick",
         [] { return changed(inputs(), [](message m) { m.inputs.slots[1].first_tick++; }); },
         "slot 10's readings go beyond the last tick"},
        {"empty map name", [] { return changed(lobby(), [](message m) { m.lobby.map_name.clear(); }); },
         "a map name of 0 bytes (1 to 64)"},
        {"long map name",
         [] { return changed(start(), [](message m) { m.start.map_name = std::string(61, 'a') + ".zkm"; }); },
         "a map name of 65 bytes"},
        {"map name with a path",
         [] { return changed(lobby(), [](message m) { m.lobby.map_name = "../a.zkm"; }); },
         "the map name is not a map file name"},
        {"map name not of a map",
         [] { return changed(start(), [](message m) { m.start.map_name = "tower.txt"; }); },
         "the map name is not a map file name"},
        {"map text beyond the limit",
         [] { return changed(start(), [](message m) { m.start.map_text.assign((4u << 20) + 1, '0'); }); },
         "a map text of 4194305 bytes (at most 4194304)"},
        {"map text corrupt",
         [] {
             std::string p = packed_abc();
             p.back() ^= 1;
             return start_with_packed_text(3, p);
         },
         "the packed map text is cut short or corrupt"},
        {"map text longer than said", [] { return start_with_packed_text(2, packed_abc()); },
         "the map text unpacks to more than the 2 bytes given"},
        {"map text shorter than said", [] { return start_with_packed_text(4, packed_abc()); },
         "the map text unpacks to 3 bytes, not the 4 given"},
        {"bytes after the packed text", [] { return start_with_packed_text(3, packed_abc() + "z"); },
         "the packed map text has bytes after its end"},
        {"bye too long", [] { return changed(bye(), [](message m) { m.bye.why += 'x'; }); },
         "a reason of 201 bytes (at most 200)"},
        {"score limit", [] { return changed(lobby(), [](message m) { m.lobby.rules.score_limit++; }); },
         "lobby message: a score limit of 1000 kills (0 to 999)"},
        {"time limit", [] { return changed(start(), [](message m) { m.start.rules.time_limit++; }); },
         "start message: a time limit of 1441 minutes (0 to 1440)"},
        {"score limit beyond 32 bits",
         [] {
             std::string p = cut(lobby(), 4);  // its rules, 999 and 0, and that the host plays
             byte_writer o;
             o.varint((1ull << 32) + 5), o.varint(0), o.byte(1);
             return p + o.bytes;
         },
         "a score limit of 4294967301 kills"},
        {"chat line too long", [] { return changed(chat(), [](message m) { m.chat.text += 'x'; }); },
         "chat message: a chat line of 101 bytes (1 to 100)"},
        {"empty chat line", [] { return changed(chat(), [](message m) { m.chat.text.clear(); }); },
         "a chat line of 0 bytes (1 to 100)"},
        {"chat line with a control character",
         [] { return changed(chat(), [](message m) { m.chat.text[7] = '\n'; }); },
         "the chat line's byte 8 is 10, not a printable character"},
        {"chat line with a byte beyond 126",
         [] { return changed(note(), [](message m) { m.chat.text = "caf\xc3\xa9"; }); },
         "the chat line's byte 4 is 195"},
        {"chat line with DEL", [] { return changed(note(), [](message m) { m.chat.text = "\x7f"; }); },
         "byte 1 is 127"},
        {"chat slot 11", [] { return changed(chat(), [](message m) { m.chat.slot = 11; }); },
         "the speaker's slot 11 is not 0 to 10 nor 255 for a note"},
        {"chat slot 254", [] { return changed(chat(), [](message m) { m.chat.slot = 254; }); },
         "the speaker's slot 254"},
        {"cut in the chat line", [] { return cut(chat(), 1); }, "chat message: the packet ends inside the chat line"},
        {"huge map text in a tiny packet", [] { return start_with_packed_text(4u << 20, "tiny"); },
         "4 packed bytes cannot hold a map text of 4194304 bytes"},
        {"huge human count in a tiny packet",
         [] { return raw(net_kind::lobby, [](byte_writer& o) { o.byte(1), o.varint(1ull << 62); }); },
         "humans"},
        {"humans beyond the bytes",
         [] {
             return raw(net_kind::start,
                        [](byte_writer& o) { o.u32(0), o.byte(0), o.varint(0), o.varint(0), o.varint(0); }) +
                    "\x0b";
         },
         "11 humans in the 0 bytes left"},
        {"slot entries beyond the bytes",
         [] { return raw(net_kind::inputs, [](byte_writer& o) { o.varint(0), o.varint(0), o.varint(5); }); },
         "5 slot entries in the 0 bytes left"},
        {"huge run count in a tiny packet",
         [] {
             return raw(net_kind::inputs, [](byte_writer& o) {
                 o.varint(0), o.varint(0), o.varint(1), o.byte(4), o.zigzag(0), o.varint(200);
                 o.bytes += std::string(13, '\0');
             });
         },
         "slot 4 has 200 runs in the 13 bytes left"},
    };
    for (const refusal& row : table) {
        net_message out;
        std::string error;
        EXPECT_FALSE(decode(row.packet(), out, error)) << row.what;
        EXPECT_NE(error.find(row.phrase), std::string::npos) << row.what << ": \"" << error << "\"";
        EXPECT_EQ(error.find('\n'), std::string::npos) << row.what;
    }
}

// A bye keeps its layout in every version, so a peer of another version is
// answered in its own version's header and reads the same words.
TEST(NetMessages, AByeForAnotherVersionDiffersOnlyInTheVersionByte)
{
    const std::uint8_t older = net_protocol_version - 1;
    const std::string ours = encode(bye().bye);
    std::string theirs = encode_bye_for(older, bye().bye);
    std::uint8_t version = 0;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(theirs.data());
    ASSERT_TRUE(is_other_version(bytes, theirs.size(), version));
    EXPECT_EQ(version, older);
    EXPECT_FALSE(is_hello(bytes, theirs.size()));
    EXPECT_FALSE(is_other_version(reinterpret_cast<const std::uint8_t*>(ours.data()), ours.size(), version));
    theirs[2] = static_cast<char>(net_protocol_version);
    EXPECT_EQ(theirs, ours);
}

}  // namespace

// The messages' writer and their equality. Their checking reader is in
// net_messages_read.cpp; the layout they share is in net_wire.h.
#include "net/net_messages.h"

#include "codec/byte_codec.h"
#include "codec/zlib_pack.h"
#include "net/net_wire.h"

namespace {

byte_writer start_packet(net_kind kind, std::uint8_t version = net_protocol_version)
{
    byte_writer out;
    out.byte(net_wire::magic[0]);
    out.byte(net_wire::magic[1]);
    out.byte(version);
    out.byte(static_cast<std::uint8_t>(kind));
    return out;
}

void write_player(byte_writer& out, const net_player& player)
{
    for (int colour : player.colors)
        out.byte(static_cast<std::uint8_t>(colour));
    out.text(player.name);
}

void write_humans(byte_writer& out, const std::vector<net_player>& humans)
{
    out.varint(humans.size());
    for (const net_player& human : humans)
        write_player(out, human);
}

void write_rules(byte_writer& out, const match_rules& rules)
{
    out.varint(static_cast<std::uint32_t>(rules.score_limit));
    out.varint(static_cast<std::uint32_t>(rules.time_limit));
}

// A tick as the step from the sender's own, which is seldom far.
void write_tick_step(byte_writer& out, std::uint32_t tick, std::uint32_t sender_tick)
{
    out.zigzag(std::int64_t(tick) - std::int64_t(sender_tick));
}

void write_slot_inputs(byte_writer& out, const net_slot_inputs& entry, std::uint32_t sender_tick)
{
    const std::size_t runs = entry.runs.size();
    const bool runs_in_head = runs >= 1 && runs <= net_wire::most_runs_in_head;
    std::uint8_t head = static_cast<std::uint8_t>(entry.slot) & net_wire::entry_slot;
    if (entry.scale_told)
        head |= net_wire::entry_scale_told;
    if (runs_in_head)
        head |= static_cast<std::uint8_t>(runs << net_wire::entry_runs_shift);
    out.byte(head);
    write_tick_step(out, entry.first_tick, sender_tick);
    if (!runs_in_head)
        out.varint(runs);
    if (entry.scale_told) {
        out.f32(entry.scale_x);
        out.f32(entry.scale_y);
    }
    for (const run_change& run : entry.runs)
        write_run(out, run);
}

// The map text as its length, the packed length and the zlib stream; false
// when zlib cannot pack it.
bool write_map_text(byte_writer& out, const std::string& text)
{
    std::string packed;
    if (!zlib_pack(text, packed))
        return false;
    out.varint(text.size());
    out.text(packed);
    return true;
}

}  // namespace

bool net_lobby::operator==(const net_lobby& other) const
{
    return your_slot == other.your_slot && humans == other.humans && map_name == other.map_name &&
           bots == other.bots && skill == other.skill && rules == other.rules && host_plays == other.host_plays;
}

bool net_inputs::operator==(const net_inputs& other) const
{
    for (int slot = 0; slot < net_max_slots; slot++)
        if (have_until[slot] != other.have_until[slot])
            return false;
    return sender_tick == other.sender_tick && slots == other.slots;
}

bool net_message::operator==(const net_message& other) const
{
    if (kind != other.kind)
        return false;
    switch (kind) {
    case net_kind::hello: return hello == other.hello;
    case net_kind::lobby: return lobby == other.lobby;
    case net_kind::start: return start == other.start;
    case net_kind::inputs: return inputs == other.inputs;
    case net_kind::hash: return hash == other.hash;
    case net_kind::leave: return leave == other.leave;
    case net_kind::bye: return bye == other.bye;
    case net_kind::chat: return chat == other.chat;
    case net_kind::catch_up: return catch_up == other.catch_up;
    case net_kind::ready: return true;
    case net_kind::enter: return enter == other.enter;
    }
    return false;
}

std::string encode(const net_hello& message)
{
    byte_writer out = start_packet(net_kind::hello);
    write_player(out, message.look);
    out.byte(message.watching ? 1 : 0);
    return out.bytes;
}

std::string encode(const net_lobby& message)
{
    byte_writer out = start_packet(net_kind::lobby);
    out.byte(static_cast<std::uint8_t>(message.your_slot));
    write_humans(out, message.humans);
    out.text(message.map_name);
    out.varint(static_cast<std::uint32_t>(message.bots));
    out.byte(static_cast<std::uint8_t>(message.skill));
    write_rules(out, message.rules);
    out.byte(message.host_plays ? 1 : 0);
    return out.bytes;
}

std::string encode(const net_start& message)
{
    byte_writer out = start_packet(net_kind::start);
    out.u32(message.seed);
    out.byte(static_cast<std::uint8_t>(message.skill));
    out.varint(static_cast<std::uint32_t>(message.bots));
    write_rules(out, message.rules);
    write_humans(out, message.humans);
    out.text(message.map_name);
    if (!write_map_text(out, message.map_text))
        return std::string();
    return out.bytes;
}

std::string encode(const net_inputs& message)
{
    byte_writer out = start_packet(net_kind::inputs);
    out.varint(message.sender_tick);
    std::uint32_t told = 0;
    for (int slot = 0; slot < net_max_slots; slot++)
        if (message.have_until[slot] != 0)
            told |= 1u << slot;
    out.varint(told);
    for (std::uint32_t tick : message.have_until)
        if (tick != 0)
            write_tick_step(out, tick, message.sender_tick);
    out.varint(message.slots.size());
    for (const net_slot_inputs& entry : message.slots)
        write_slot_inputs(out, entry, message.sender_tick);
    return out.bytes;
}

std::string encode(const net_hash& message)
{
    byte_writer out = start_packet(net_kind::hash);
    out.varint(message.tick);
    out.u64(message.hash);
    return out.bytes;
}

std::string encode(const net_leave& message)
{
    byte_writer out = start_packet(net_kind::leave);
    out.byte(static_cast<std::uint8_t>(message.slot));
    out.varint(message.tick);
    return out.bytes;
}

std::string encode(const net_bye& message)
{
    return encode_bye_for(net_protocol_version, message);
}

std::string encode(const net_chat& message)
{
    byte_writer out = start_packet(net_kind::chat);
    out.byte(static_cast<std::uint8_t>(message.slot));
    out.varint(message.tick);
    out.text(message.text);
    return out.bytes;
}

std::string encode(const net_catch_up& message)
{
    byte_writer out = start_packet(net_kind::catch_up);
    out.text(message.replay);
    return out.bytes;
}

std::string encode(const net_enter& message)
{
    byte_writer out = start_packet(net_kind::enter);
    out.byte(static_cast<std::uint8_t>(message.slot));
    out.varint(message.tick);
    write_player(out, message.look);
    out.byte(message.yours ? 1 : 0);
    return out.bytes;
}

std::string encode_ready()
{
    return start_packet(net_kind::ready).bytes;
}

std::string encode_bye_for(std::uint8_t version, const net_bye& message)
{
    byte_writer out = start_packet(net_kind::bye, version);
    out.text(message.why);
    return out.bytes;
}

bool is_other_version(const std::uint8_t* data, std::size_t size, std::uint8_t& version)
{
    if (size < net_wire::header_size || data[0] != net_wire::magic[0] || data[1] != net_wire::magic[1] ||
        data[2] == net_protocol_version)
        return false;
    version = data[2];
    return true;
}

bool is_hello(const std::uint8_t* data, std::size_t size)
{
    return size >= net_wire::header_size && data[3] == static_cast<std::uint8_t>(net_kind::hello);
}

std::string encode(const net_message& message)
{
    switch (message.kind) {
    case net_kind::hello: return encode(message.hello);
    case net_kind::lobby: return encode(message.lobby);
    case net_kind::start: return encode(message.start);
    case net_kind::inputs: return encode(message.inputs);
    case net_kind::hash: return encode(message.hash);
    case net_kind::leave: return encode(message.leave);
    case net_kind::bye: return encode(message.bye);
    case net_kind::chat: return encode(message.chat);
    case net_kind::catch_up: return encode(message.catch_up);
    case net_kind::ready: return encode_ready();
    case net_kind::enter: return encode(message.enter);
    }
    return std::string();
}

const char* kind_name(net_kind kind)
{
    switch (kind) {
    case net_kind::hello: return "hello";
    case net_kind::lobby: return "lobby";
    case net_kind::start: return "start";
    case net_kind::inputs: return "inputs";
    case net_kind::hash: return "hash";
    case net_kind::leave: return "leave";
    case net_kind::bye: return "bye";
    case net_kind::chat: return "chat";
    case net_kind::catch_up: return "catch-up";
    case net_kind::ready: return "ready";
    case net_kind::enter: return "enter";
    }
    return "unknown";
}

// libFuzzer target: the network's packet reader on any bytes at all, both as
// a whole packet and behind a good header whose kind is the first byte, so
// that the search spends its time in the bodies. Besides memory and
// undefined-behaviour faults, it stops on an accepted message that breaks
// the game's limits or does not write back to a packet that reads the same.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "match/match_limits.h"
#include "net/net_messages.h"

namespace {

void require(bool promise)
{
    if (!promise)
        std::abort();
}

void check_look(const net_player& look)
{
    require(look.colors[0] >= 0 && look.colors[0] <= 2);
    require(look.colors[1] >= 0 && look.colors[1] <= 5 && look.colors[2] >= 0 && look.colors[2] <= 5);
    require(is_player_name(look.name));
}

void check_match(const std::vector<net_player>& humans, std::size_t fewest, int bots, int skill,
                 const std::string& map_name)
{
    require(humans.size() >= fewest && humans.size() <= net_max_slots);
    require(bots >= 0 && humans.size() + static_cast<std::size_t>(bots) <= net_max_slots);
    require(skill >= 0 && skill <= 2 && is_map_name(map_name));
    for (const net_player& human : humans)
        check_look(human);
}

void check_reading(const control_reading& reading)
{
    require((reading.keys & ~all_control_keys) == 0 && (reading.buttons & ~all_control_buttons) == 0);
    require(reading.pointer_x >= -1000000 && reading.pointer_x <= 1000000);
    require(reading.pointer_y >= -1000000 && reading.pointer_y <= 1000000);
    require(std::isfinite(reading.scale_x) && reading.scale_x >= 0.01f && reading.scale_x <= 100);
    require(std::isfinite(reading.scale_y) && reading.scale_y >= 0.01f && reading.scale_y <= 100);
}

void check_rules(const match_rules& rules)
{
    require(rules.score_limit >= 0 && is_score_limit(static_cast<std::uint32_t>(rules.score_limit)));
    require(rules.time_limit >= 0 && is_time_limit(static_cast<std::uint32_t>(rules.time_limit)));
}

// An entry unpacks after any reading to readings within the game's limits,
// one a tick, or is refused with a reason.
void check_unpacked(const net_slot_inputs& entry, const control_reading& before)
{
    std::vector<control_reading> readings;
    std::string reason;
    if (!unpack_readings(entry, before, readings, reason)) {
        require(!reason.empty() && reason.find('\n') == std::string::npos);
        return;
    }
    require(readings.size() == entry.ticks());
    for (const control_reading& reading : readings)
        check_reading(reading);
}

void check_inputs(const net_inputs& inputs)
{
    require(inputs.slots.size() <= net_max_slots);
    bool seen[net_max_slots] = {};
    for (const net_slot_inputs& entry : inputs.slots) {
        require(entry.slot >= 0 && entry.slot < net_max_slots && !seen[entry.slot]);
        seen[entry.slot] = true;
        require(!entry.runs.empty() && entry.ticks() >= 1 && entry.ticks() <= net_max_readings);
        require(entry.first_tick + std::uint64_t(entry.ticks()) <= 0xffffffffu);
        control_reading edge;
        edge.keys = all_control_keys;
        edge.pointer_x = 1000000;
        edge.pointer_y = -1000000;
        check_unpacked(entry, control_reading{});
        check_unpacked(entry, edge);
    }
}

void check_accepted(const net_message& m)
{
    switch (m.kind) {
    case net_kind::hello: check_look(m.hello.look); break;
    case net_kind::lobby:
        require(m.lobby.your_slot == net_no_slot ||
                (m.lobby.your_slot >= 0 && m.lobby.your_slot < static_cast<int>(m.lobby.humans.size())));
        check_match(m.lobby.humans, 0, m.lobby.bots, m.lobby.skill, m.lobby.map_name);
        check_rules(m.lobby.rules);
        break;
    case net_kind::start:
        check_match(m.start.humans, 1, m.start.bots, m.start.skill, m.start.map_name);
        require(m.start.humans.size() + static_cast<std::size_t>(m.start.bots) >= 2);
        require(m.start.map_text.size() <= (4u << 20));
        check_rules(m.start.rules);
        break;
    case net_kind::inputs: check_inputs(m.inputs); break;
    case net_kind::hash: break;
    case net_kind::leave: require(m.leave.slot >= 0 && m.leave.slot < net_max_slots); break;
    case net_kind::ready: break;
    case net_kind::enter:
        require(m.enter.slot >= 1 && m.enter.slot < net_max_slots && m.enter.tick > 0);
        require(is_player_name(m.enter.look.name));
        break;
    case net_kind::catch_up: require(!m.catch_up.replay.empty() && m.catch_up.replay.size() <= net_max_catch_up); break;
    case net_kind::bye: require(m.bye.why.size() <= net_max_bye); break;
    case net_kind::chat:
        require((m.chat.slot >= 0 && m.chat.slot < net_max_slots) || m.chat.slot == net_chat_note_slot);
        require(is_chat_text(m.chat.text));
        break;
    }
}

void read_packet(const std::string& bytes)
{
    net_message message;
    std::string error;
    if (!decode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), message, error)) {
        require(!error.empty() && error.find('\n') == std::string::npos);
        return;
    }
    require(error.empty());
    check_accepted(message);
    const std::string again = encode(message);
    net_message back;
    require(decode(reinterpret_cast<const std::uint8_t*>(again.data()), again.size(), back, error));
    require(back == message);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    read_packet(bytes);
    read_packet(std::string("ZK") + char(net_protocol_version) + bytes);
    return 0;
}

// Reading a packet. It comes from another machine, so each value is checked
// against the game's limits as it comes, and no count is trusted with memory
// before the bytes left could hold what it counts.
#include <limits>

#include "codec/checked_reader.h"
#include "codec/zlib_pack.h"
#include "match/match_limits.h"
#include "net/net_messages.h"
#include "net/net_wire.h"

namespace {

const int host_slot = 0;
const int last_slot = net_max_slots - 1;
const std::uint64_t last_tick = std::numeric_limits<std::uint32_t>::max();

// Reads the body after the header front to back; the first fault ends the
// reading with its reason.
class packet_parser : private checked_reader {
public:
    packet_parser(const std::string& body, net_message& message, std::string& reason)
        : checked_reader(body, "packet", reason), out(message)
    {
    }

    bool read()
    {
        if (!read_kind())
            return false;
        if (in.left() > 0)
            return fail("%zu trailing byte%s after the %s message", in.left(), in.left() == 1 ? "" : "s",
                        kind_name(out.kind));
        return true;
    }

private:
    bool read_kind()
    {
        switch (out.kind) {
        case net_kind::hello: return read_player(out.hello.look) && flag("watching", out.hello.watching);
        case net_kind::lobby: return read_lobby(out.lobby);
        case net_kind::start: return read_start(out.start);
        case net_kind::inputs: return read_inputs(out.inputs);
        case net_kind::hash: return tick("the tick", out.hash.tick) && u64("the hash", out.hash.hash);
        case net_kind::leave:
            return slot("the leaving slot", host_slot, out.leave.slot) &&
                   tick("the tick", out.leave.tick);
        case net_kind::bye: return read_bye(out.bye);
        case net_kind::chat: return read_chat(out.chat);
        case net_kind::catch_up: return take_text("replay", net_max_catch_up, out.catch_up.replay);
        case net_kind::ready: return true;
        case net_kind::enter: return read_enter(out.enter);
        }
        return fail("unknown message kind");
    }

    bool read_enter(net_enter& enter)
    {
        if (!slot("the slot taken", host_slot + 1, enter.slot) || !tick("the tick", enter.tick))
            return false;
        if (enter.tick == 0)
            return fail("an entry at tick 0, where the match begins");
        return read_player(enter.look) && flag("yours", enter.yours);
    }

    bool read_lobby(net_lobby& lobby)
    {
        std::uint8_t yours = 0;
        if (!byte("your slot", yours) || !read_humans(0, lobby.humans))
            return false;
        lobby.your_slot = yours;
        if (yours != net_no_slot && yours >= lobby.humans.size())
            return fail("your slot %d is neither a human's (0 to %d) nor a watcher's (%d)", yours,
                        static_cast<int>(lobby.humans.size()) - 1, net_no_slot);
        return read_map_name(lobby.map_name) && read_bots(lobby.humans.size(), lobby.bots) &&
               read_skill(lobby.skill) && read_match_rules(lobby.rules) && flag("host plays", lobby.host_plays);
    }

    bool read_start(net_start& start)
    {
        if (!u32("the seed", start.seed) || !read_skill(start.skill))
            return false;
        std::uint64_t bots = 0;
        if (!number("the number of bots", bots) || !read_match_rules(start.rules) ||
            !read_humans(1, start.humans))
            return false;
        if (start.humans.size() + bots < 2)
            return fail("one fighter alone; a match has two at least");
        return fighters(start.humans.size(), bots, start.bots) && read_map_name(start.map_name) &&
               read_map_text(start.map_text);
    }

    bool read_inputs(net_inputs& inputs)
    {
        if (!tick("the sender's tick", inputs.sender_tick))
            return false;
        std::uint64_t told = 0;
        if (!number("the told slots", told))
            return false;
        if (told >> net_max_slots)
            return fail("the told slots 0x%llx name one beyond slot %d", wide(told), last_slot);
        for (int slot = 0; slot < net_max_slots; slot++)
            if (((told >> slot) & 1) && !tick_step("a have-until tick", inputs.sender_tick, inputs.have_until[slot]))
                return false;
        std::uint64_t count = 0;
        if (!number("the number of slot entries", count))
            return false;
        if (count > static_cast<std::uint64_t>(net_max_slots))
            return fail("%llu slot entries; there are %d slots", wide(count), net_max_slots);
        if (count > in.left() / net_wire::smallest_slot_entry)
            return fail("%llu slot entries in the %zu bytes left", wide(count), in.left());
        inputs.slots.resize(count);
        bool seen[net_max_slots] = {};
        for (net_slot_inputs& entry : inputs.slots)
            if (!read_slot_inputs(entry, inputs.sender_tick, seen))
                return false;
        return true;
    }

    bool read_slot_inputs(net_slot_inputs& entry, std::uint32_t sender_tick, bool seen[])
    {
        std::uint8_t head = 0;
        if (!byte("an entry's head", head))
            return false;
        entry.slot = head & net_wire::entry_slot;
        if (entry.slot > last_slot)
            return fail("an entry's slot %d is not %d to %d", entry.slot, host_slot, last_slot);
        if (seen[entry.slot])
            return fail("slot %d has two entries", entry.slot);
        seen[entry.slot] = true;
        std::uint64_t runs = head >> net_wire::entry_runs_shift;
        if (!tick_step("an entry's first tick", sender_tick, entry.first_tick) ||
            (runs == 0 && !number("the number of runs", runs)))
            return false;
        if (runs < 1 || runs > net_max_readings)
            return fail("slot %d has %llu runs (1 to %zu)", entry.slot, wide(runs), net_max_readings);
        if (runs > in.left() / net_wire::smallest_run)
            return fail("slot %d has %llu runs in the %zu bytes left", entry.slot, wide(runs), in.left());
        entry.scale_told = (head & net_wire::entry_scale_told) != 0;
        if (entry.scale_told &&
            !(read_scale("horizontal", entry.scale_x) && read_scale("vertical", entry.scale_y)))
            return false;
        entry.runs.resize(runs);
        const std::string longest = "a message's " + std::to_string(net_max_readings) + " ticks";
        std::uint64_t ticks = 0;
        for (run_change& run : entry.runs) {
            if (!read_run(run, net_max_readings, longest.c_str()))
                return false;
            ticks += run.ticks;
            if (ticks > net_max_readings)
                return fail("slot %d's runs last longer than %zu ticks", entry.slot, net_max_readings);
        }
        if (entry.first_tick + ticks > last_tick)
            return fail("slot %d's readings go beyond the last tick", entry.slot);
        return true;
    }

    // A tick told as the step from the sender's.
    bool tick_step(const char* what, std::uint32_t sender_tick, std::uint32_t& value)
    {
        std::int64_t step = 0;
        if (!in.zigzag(step))
            return varint_failed(what);
        // The step is held to a match's length first, so that the sum cannot overflow.
        const auto longest = static_cast<std::int64_t>(last_tick);
        if (step < -longest || step > longest)
            return fail("%s steps %lld ticks from the sender's, beyond any match", what,
                        static_cast<long long>(step));
        const std::int64_t read = step + std::int64_t(sender_tick);
        if (read < 0 || read > longest)
            return fail("%s %lld is beyond any match", what, static_cast<long long>(read));
        value = static_cast<std::uint32_t>(read);
        return true;
    }

    bool read_player(net_player& player)
    {
        for (int part = 0; part < colour_parts; part++) {
            std::uint8_t value = 0;
            if (!byte((std::string("the ") + colour_names[part] + " colour").c_str(), value) ||
                !check_colour(part, value, player.colors[part]))
                return false;
        }
        return read_player_name(player.name);
    }

    bool read_humans(int fewest, std::vector<net_player>& humans)
    {
        std::uint64_t count = 0;
        if (!number("the number of humans", count))
            return false;
        if (count < static_cast<std::uint64_t>(fewest) || count > static_cast<std::uint64_t>(net_max_slots))
            return fail("%s; this message holds %d to %d", counted(count, "human").c_str(), fewest,
                        net_max_slots);
        if (count > in.left() / net_wire::smallest_human)
            return fail("%llu humans in the %zu bytes left", wide(count), in.left());
        humans.resize(count);
        for (net_player& human : humans)
            if (!read_player(human))
                return false;
        return true;
    }

    bool read_bots(std::size_t humans, int& bots)
    {
        std::uint64_t count = 0;
        return number("the number of bots", count) && fighters(humans, count, bots);
    }

    bool fighters(std::size_t humans, std::uint64_t bots, int& out_bots)
    {
        if (bots > static_cast<std::uint64_t>(net_max_slots) - humans)
            return fail("%s and %s; a match has at most %d fighters", counted(humans, "human").c_str(),
                        counted(bots, "bot").c_str(), net_max_slots);
        out_bots = static_cast<int>(bots);
        return true;
    }

    bool read_skill(int& into)
    {
        std::uint8_t value = 0;
        return byte("the skill", value) && check_skill(value, into);
    }

    bool read_map_name(std::string& name)
    {
        if (!take_map_name(name))
            return false;
        if (!is_map_name(name))
            return fail(
                "the map name is not a map file name (letters, digits, '_', '-', '.', ending \".zkm\")");
        return true;
    }

    // Unpacks exactly the length given, and the stream must end where the packet says.
    bool read_map_text(std::string& text)
    {
        std::uint64_t length = 0;
        std::uint64_t packed_size = 0;
        if (!number("the map text's length", length) || !number("the packed map text's length", packed_size))
            return false;
        if (!check_map_text_length(length))
            return false;
        std::string packed;
        if (packed_size > in.left() || !in.take(packed_size, packed))
            return ends_inside("the packed map text");
        const unpacking unpacked = zlib_unpack(packed.data(), packed.size(), length, text);
        switch (unpacked.fault) {
        case unpack_fault::none: return true;
        case unpack_fault::cannot_hold:
            return fail("%llu packed bytes cannot hold a map text of %llu bytes", wide(packed_size),
                        wide(length));
        case unpack_fault::longer:
            return fail("the map text unpacks to more than the %llu bytes given", wide(length));
        case unpack_fault::broken:
        case unpack_fault::failed: return fail("the packed map text is cut short or corrupt");
        case unpack_fault::shorter:
            return fail("the map text unpacks to %llu bytes, not the %llu given", wide(unpacked.unpacked),
                        wide(length));
        case unpack_fault::trailing: return fail("the packed map text has bytes after its end");
        }
        return false;
    }

    bool read_bye(net_bye& bye)
    {
        std::uint64_t length = 0;
        if (!number("the reason's length", length))
            return false;
        if (length > net_max_bye)
            return fail("a reason of %llu bytes (at most %zu)", wide(length), net_max_bye);
        return in.take(length, bye.why) || ends_inside("the reason");
    }

    bool read_chat(net_chat& chat)
    {
        std::uint8_t speaker = 0;
        if (!byte("the speaker's slot", speaker))
            return false;
        if (speaker > last_slot && speaker != net_chat_note_slot)
            return fail("the speaker's slot %d is not %d to %d nor %d for a note", speaker, host_slot, last_slot,
                        net_chat_note_slot);
        chat.slot = speaker;
        return tick("the tick", chat.tick) && read_chat_text(chat.text);
    }

    bool slot(const char* what, int lowest, int& value)
    {
        std::uint8_t read = 0;
        if (!byte(what, read))
            return false;
        if (read < lowest || read > last_slot)
            return fail("%s %d is not %d to %d", what, read, lowest, last_slot);
        value = read;
        return true;
    }

    bool tick(const char* what, std::uint32_t& value)
    {
        std::uint64_t read = 0;
        if (!number(what, read))
            return false;
        if (read > last_tick)
            return fail("%s %llu is beyond any match", what, wide(read));
        value = static_cast<std::uint32_t>(read);
        return true;
    }

    bool byte(const char* what, std::uint8_t& value) { return in.byte(value) || ends_inside(what); }
    bool flag(const char* what, bool& value)
    {
        std::uint8_t read = 0;
        if (!byte(what, read))
            return false;
        if (read > 1)
            return fail("%s is %d, not 0 or 1", what, read);
        value = read == 1;
        return true;
    }
    bool u32(const char* what, std::uint32_t& value) { return in.u32(value) || ends_inside(what); }
    bool u64(const char* what, std::uint64_t& value) { return in.u64(value) || ends_inside(what); }

    std::string where() const override { return std::string(kind_name(out.kind)) + " message: "; }

    net_message& out;
};

}  // namespace

bool decode(const std::uint8_t* data, std::size_t size, net_message& out, std::string& error)
{
    error.clear();
    if (size < net_wire::header_size) {
        error = "too short to be a ZK3 packet (" + std::to_string(size) + " bytes)";
        return false;
    }
    if (size > net_max_packet) {
        error = "a packet of " + std::to_string(size) + " bytes; at most " + std::to_string(net_max_packet);
        return false;
    }
    if (data[0] != net_wire::magic[0] || data[1] != net_wire::magic[1]) {
        error = "not a ZK3 packet";
        return false;
    }
    if (data[2] != net_protocol_version) {
        error = "protocol version " + std::to_string(data[2]) + "; this game speaks " +
                std::to_string(net_protocol_version);
        return false;
    }
    const std::uint8_t kind = data[3];
    if (kind < static_cast<std::uint8_t>(net_kind::hello) ||
        kind > static_cast<std::uint8_t>(net_kind::enter)) {
        error = "unknown message kind " + std::to_string(kind);
        return false;
    }
    out = net_message();
    out.kind = static_cast<net_kind>(kind);
    const std::string body(reinterpret_cast<const char*>(data) + net_wire::header_size,
                           size - net_wire::header_size);
    return packet_parser(body, out, error).read();
}

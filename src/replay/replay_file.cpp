// Replay files: the body's writer and the file around the body (the magic,
// the version, the body's length and zlib). The body's checking reader is in
// replay_body_read.cpp, the folder of saved replays in replay_folder.cpp.
#include "replay/replay_file.h"

#include <algorithm>

#include "codec/byte_codec.h"
#include "codec/zlib_pack.h"
#include "replay/replay_body.h"

namespace {

const char replay_magic[] = "ZK3RPLAY";
const std::size_t magic_size = 8;
const std::size_t header_size = magic_size + 4 + 4;

// The runs' own scales are not written: every reading takes the human's.
void write_human(byte_writer& out, const human_look& look, const recorded_human& human, std::uint32_t version)
{
    for (int colour : look.colors)
        out.varint(static_cast<std::uint32_t>(colour));
    if (version >= 2)
        out.text(look.name);
    out.f32(human.scale_x);
    out.f32(human.scale_y);
    if (version >= 4)
        out.varint(human.first_tick);
    out.varint(human.runs.size());
    control_reading previous;
    for (const input_run& run : human.runs) {
        write_run(out, change_from(previous, run));
        previous = run.reading;
    }
}

void write_chat(byte_writer& out, const replay_data& replay)
{
    out.varint(static_cast<std::uint32_t>(replay.setup.rules.score_limit));
    out.varint(static_cast<std::uint32_t>(replay.setup.rules.time_limit));
    out.varint(replay.chat.size());
    std::uint32_t previous_tick = 0;
    for (const recorded_chat& line : replay.chat) {
        out.varint(static_cast<std::uint32_t>(line.tick - previous_tick));
        out.varint(static_cast<std::uint32_t>(line.slot));
        out.text(line.text);
        previous_tick = line.tick;
    }
}

// Unpacks exactly `length` bytes from the compressed stream after the header.
bool unpack_body(const std::string& bytes, std::uint32_t length, std::string& body, std::string& error)
{
    const std::size_t packed_size = bytes.size() - header_size;
    const unpacking unpacked = zlib_unpack(bytes.data() + header_size, packed_size, length, body);
    const std::string said = std::to_string(length);
    switch (unpacked.fault) {
    case unpack_fault::none: return true;
    case unpack_fault::cannot_hold:
        error = "damaged: " + std::to_string(packed_size) + " packed bytes cannot hold a body of " + said +
                " bytes";
        return false;
    case unpack_fault::longer:
        error = "damaged: its body unpacks to more than the " + said + " bytes its header gives";
        return false;
    case unpack_fault::broken: error = "damaged: its packed body is cut short or corrupt"; return false;
    case unpack_fault::failed:
        error = std::string("damaged: its body does not unpack (") + unpacked.zlib_says + ")";
        return false;
    case unpack_fault::shorter:
        error = "damaged: its body unpacks to " + std::to_string(unpacked.unpacked) + " bytes, not the " +
                said + " its header gives";
        return false;
    case unpack_fault::trailing:
        error = std::to_string(unpacked.left_over) + (unpacked.left_over == 1 ? " byte" : " bytes") +
                " of trailing garbage after its body";
        return false;
    }
    return false;
}

}  // namespace

void recorded_human::add(const control_reading& reading)
{
    add_reading(runs, reading);
}

std::uint32_t recorded_human::tick_count() const
{
    std::uint32_t ticks = 0;
    for (const input_run& run : runs)
        ticks += run.ticks;
    return ticks;
}

bool recorded_human::operator==(const recorded_human& other) const
{
    return scale_x == other.scale_x && scale_y == other.scale_y && first_tick == other.first_tick &&
           runs == other.runs;
}

bool replay_data::operator==(const replay_data& other) const
{
    return setup == other.setup && ticks == other.ticks && humans == other.humans &&
           checkpoints == other.checkpoints && chat == other.chat;
}

int starting_humans(const replay_data& replay)
{
    int began = 0;
    while (began < static_cast<int>(replay.humans.size()) &&
           replay.humans[static_cast<std::size_t>(began)].first_tick == 0)
        began++;
    return began;
}

match_setup start_of(const replay_data& replay)
{
    match_setup start = replay.setup;
    start.humans.resize(std::min(start.humans.size(), static_cast<std::size_t>(starting_humans(replay))));
    return start;
}

std::string pack_replay_body(const replay_data& replay, std::uint32_t version)
{
    byte_writer out;
    const match_setup& setup = replay.setup;
    out.u32(setup.seed);
    out.varint(static_cast<std::uint32_t>(setup.skill));
    out.varint(static_cast<std::uint32_t>(setup.bots));
    out.varint(replay.humans.size());
    out.text(setup.map_name);
    out.text(setup.map_text);
    out.varint(replay.ticks);
    out.varint(replay.checkpoints.size());
    // Each tick as the step from the one before, modulo 2^32, so that the
    // reader sees the order exactly as it was written.
    std::uint32_t previous_tick = 0;
    for (const replay_checkpoint& checkpoint : replay.checkpoints) {
        out.varint(static_cast<std::uint32_t>(checkpoint.tick - previous_tick));
        out.u64(checkpoint.hash);
        previous_tick = checkpoint.tick;
    }
    for (std::size_t human = 0; human < replay.humans.size(); human++)
        write_human(out, human < setup.humans.size() ? setup.humans[human] : human_look{}, replay.humans[human],
                    version);
    if (version >= 3)
        write_chat(out, replay);
    return out.bytes;
}

std::string wrap_replay_body(const std::string& body, std::uint32_t version)
{
    byte_writer header;
    header.u32(version);
    header.u32(static_cast<std::uint32_t>(body.size()));
    std::string packed;
    if (!zlib_pack(body, packed))
        return std::string();
    return std::string(replay_magic, magic_size) + header.bytes + packed;
}

std::string pack_replay(const replay_data& replay)
{
    return wrap_replay_body(pack_replay_body(replay));
}

bool unpack_replay(const std::string& bytes, replay_data& out, std::string& error)
{
    error.clear();
    if (bytes.size() < header_size) {
        error = "too short to be a replay file (" + std::to_string(bytes.size()) + " bytes)";
        return false;
    }
    if (bytes.compare(0, magic_size, replay_magic) != 0) {
        error = "not a replay file";
        return false;
    }
    // The size is checked above, so both numbers are there.
    const std::string numbers = bytes.substr(magic_size, header_size - magic_size);
    byte_reader header(numbers);
    std::uint32_t version = 0;
    std::uint32_t length = 0;
    header.u32(version);
    header.u32(length);
    if (version < oldest_replay_format_version || version > replay_format_version) {
        error = "a replay of format version " + std::to_string(version) + "; this game reads versions " +
                std::to_string(oldest_replay_format_version) + " to " + std::to_string(replay_format_version);
        return false;
    }
    if (length == 0 || length > max_replay_body) {
        error = "damaged: its header gives a body of " + std::to_string(length) + " bytes (1 to " +
                std::to_string(max_replay_body) + ")";
        return false;
    }
    std::string body;
    return unpack_body(bytes, length, body, error) && read_replay_body(body, version, out, error);
}

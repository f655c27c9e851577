// libFuzzer target: the replay reader on any bytes at all, both as a whole
// file and as the body of a file with a good header, so that the search gets
// past zlib's checksum to the body's values. Besides memory and
// undefined-behaviour faults, it stops on an accepted replay that breaks the
// game's limits or does not pack back to the same replay.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "match/chat_text.h"
#include "match/match_limits.h"
#include "match/match_shape.h"
#include "replay/replay_file.h"

namespace {

void require(bool promise)
{
    if (!promise)
        std::abort();
}

void check_accepted_human(const human_look& look, const recorded_human& human, std::uint32_t match_ticks)
{
    require(look.colors[0] >= 0 && look.colors[0] <= 2);
    require(look.colors[1] >= 0 && look.colors[1] <= 5 && look.colors[2] >= 0 && look.colors[2] <= 5);
    require(is_player_name(look.name));
    require(human.scale_x >= 0.01f && human.scale_x <= 100 && human.scale_y >= 0.01f && human.scale_y <= 100);
    std::uint64_t ticks = 0;
    for (const input_run& run : human.runs) {
        const control_reading& reading = run.reading;
        require(run.ticks >= 1);
        require((reading.keys & ~all_control_keys) == 0 && (reading.buttons & ~all_control_buttons) == 0);
        require(reading.pointer_x >= -1000000 && reading.pointer_x <= 1000000);
        require(reading.pointer_y >= -1000000 && reading.pointer_y <= 1000000);
        require(reading.scale_x == human.scale_x && reading.scale_y == human.scale_y);
        ticks += run.ticks;
    }
    require(ticks == human.tick_count() && human.first_tick + ticks <= match_ticks);
}

void check_accepted(const replay_data& replay)
{
    const int humans = static_cast<int>(replay.humans.size());
    require(replay.setup.skill >= 0 && replay.setup.skill <= 2 && replay.setup.bots >= 0 && replay.setup.bots <= 10);
    // Those who began, then those who came late in order, each on a bot's fighter.
    int began = 0;
    while (began < humans && replay.humans[static_cast<std::size_t>(began)].first_tick == 0)
        began++;
    const int bots = replay.setup.bots;
    require(began >= 1 && began + bots >= 2 && began + bots <= max_players && humans - began <= bots);
    for (std::size_t i = static_cast<std::size_t>(began); i < replay.humans.size(); i++) {
        const std::uint32_t first_tick = replay.humans[i].first_tick;
        require(first_tick > 0 && first_tick < replay.ticks);
        require(i == static_cast<std::size_t>(began) || first_tick >= replay.humans[i - 1].first_tick);
    }
    require(!replay.setup.map_name.empty() && replay.setup.map_name.size() <= 64 &&
            replay.setup.map_name.find('/') == std::string::npos);
    require(replay.setup.map_text.size() <= max_map_text && replay.ticks <= max_replay_ticks);
    for (std::size_t i = 0; i < replay.checkpoints.size(); i++) {
        require(replay.checkpoints[i].tick <= replay.ticks);
        require(i == 0 || replay.checkpoints[i].tick > replay.checkpoints[i - 1].tick);
    }
    require(replay.setup.humans.size() == replay.humans.size());
    for (std::size_t human = 0; human < replay.humans.size(); human++)
        check_accepted_human(replay.setup.humans[human], replay.humans[human], replay.ticks);
    require(is_score_limit(static_cast<std::uint32_t>(replay.setup.rules.score_limit)) &&
            is_time_limit(static_cast<std::uint32_t>(replay.setup.rules.time_limit)));
    for (std::size_t i = 0; i < replay.chat.size(); i++) {
        const recorded_chat& line = replay.chat[i];
        require(line.tick <= replay.ticks && (i == 0 || line.tick >= replay.chat[i - 1].tick));
        require(line.slot >= 0 && line.slot < humans && is_chat_text(line.text));
    }
}

void read_file(const std::string& bytes)
{
    replay_data replay;
    std::string error;
    if (!unpack_replay(bytes, replay, error)) {
        require(!error.empty() && error.find('\n') == std::string::npos);
        return;
    }
    require(error.empty());
    check_accepted(replay);
    replay_data again;
    require(unpack_replay(pack_replay(replay), again, error) && again == replay);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    read_file(bytes);
    read_file(wrap_replay_body(bytes));
    return 0;
}

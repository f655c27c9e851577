#include "replay_seek.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>

#include "match/cgame.h"
#include "match/control.h"
#include "match/match_setup.h"
#include "replay/match_recorder.h"
#include "replay/replay_player.h"
#include "scenes.h"

namespace {

const std::uint32_t replay_ticks = 60000;  // ten minutes
const std::uint32_t seed = 7;

// Seeks are waited for by the player, so they are timed on the wall clock.
double wall_milliseconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// A hand that walks, jumps, aims about and fires in bursts, the same on every run.
control_reading scripted_hand(std::uint32_t tick)
{
    control_reading hand;
    if (tick % 400 < 150)
        hand.keys |= key_right;
    if (tick % 400 >= 250)
        hand.keys |= key_left;
    if (tick % 90 == 0)
        hand.keys |= key_jump;
    if (tick % 60 < 35)
        hand.buttons |= button_fire;
    if (tick % 500 > 470)
        hand.buttons |= button_throw;
    hand.pointer_x = static_cast<std::int32_t>(600 + (tick * 7) % 700);
    hand.pointer_y = static_cast<std::int32_t>(300 + (tick * 3) % 500);
    return hand;
}

bool record(replay_data& replay)
{
    const std::string path = "zkm/" + largest_map() + ".zkm";
    std::ifstream file(path, std::ios::binary);
    match_setup setup;
    setup.seed = seed;
    setup.map_name = largest_map() + ".zkm";
    setup.map_text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    setup.humans.resize(1);
    setup.bots = 10;
    match_starter starter;
    std::string error;
    if (!starter.start(setup, match_seat{}, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    match_recorder recorder;
    recorder.start(setup);
    for (std::uint32_t tick = 0; tick < replay_ticks; tick++) {
        controls[0] = scripted_hand(tick);
        game.step();
        recorder.step_taken(controls[0]);
    }
    replay = recorder.finish();
    starter.finish();
    game.deinit();
    return true;
}

double timed_seek(replay_player& player, std::uint32_t target)
{
    const double start = wall_milliseconds();
    player.seek(target);
    return wall_milliseconds() - start;
}

}  // namespace

bool time_replay_seek()
{
    replay_data replay;
    if (!record(replay))
        return false;
    replay_player player;
    std::string error;
    if (!player.start(replay, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    const double cold_end = timed_seek(player, replay.ticks);
    const std::uint32_t just_before_kept = replay.ticks / 2 + replay_player::first_spacing - 1;
    double slowest = 0;
    for (std::uint32_t target : {replay.ticks, 0u, replay.ticks / 2, just_before_kept, replay.ticks})
        slowest = std::max(slowest, timed_seek(player, target));
    std::printf("replay_seek ms=%.0f cold_end_ms=%.0f kept=%zu\n", slowest, cold_end, player.get_kept());
    player.stop();
    game.deinit();
    return true;
}

#include "replay/replay_player.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/control.h"
#include "replay/match_hash.h"

bool replay_player::start(const replay_data& new_replay, std::string& error)
{
    std::istringstream map_text(new_replay.map_text);
    if (!map.read(map_text, new_replay.map_name.c_str())) {
        error = map.get_error();
        return false;
    }
    replay = new_replay;
    kept = options.get_kept();
    kept_settings played = kept;
    played.bots = std::max(replay.bots, 1);
    played.skill = replay.skill;
    for (int i = 0; i < 3; i++)
        played.colors[i] = replay.humans[0].colors[i];
    options.restore(played);
    match_lineup lineup;
    lineup.humans = static_cast<int>(replay.humans.size());
    lineup.bots = replay.bots;
    for (int human = 0; human < lineup.humans; human++)
        for (int i = 0; i < 3; i++)
            lineup.colors[human][i] = replay.humans[static_cast<std::size_t>(human)].colors[i];

    tick = 0;
    next_checkpoint = 0;
    mismatch = -1;
    for (std::size_t human = 0; human < replay.humans.size(); human++) {
        run[human] = 0;
        has_left[human] = false;
        const auto& runs = replay.humans[human].runs;
        left_in_run[human] = runs.empty() ? 0 : runs[0].ticks;
    }
    device_slot = -1;
    playing = true;
    std::srand(replay.seed);
    game.start(lineup);
    check_checkpoint();
    return true;
}

bool replay_player::step()
{
    if (finished())
        return false;
    for (std::size_t human = 0; human < replay.humans.size(); human++) {
        const auto& runs = replay.humans[human].runs;
        if (left_in_run[human] == 0 && run[human] + 1 < runs.size())
            left_in_run[human] = runs[++run[human]].ticks;
        if (left_in_run[human] == 0) {
            // This human left the match here: a bot plays on.
            if (!has_left[human])
                players[human].become_bot();
            has_left[human] = true;
            continue;
        }
        controls[human] = runs[run[human]].reading;
        left_in_run[human]--;
    }
    game.step();
    tick++;
    check_checkpoint();
    return true;
}

void replay_player::check_checkpoint()
{
    const auto& checkpoints = replay.checkpoints;
    if (next_checkpoint >= checkpoints.size() || checkpoints[next_checkpoint].tick != tick)
        return;
    if (mismatch < 0 && checkpoints[next_checkpoint].hash != match_hash())
        mismatch = tick;
    next_checkpoint++;
}

void replay_player::stop()
{
    if (!playing)
        return;
    playing = false;
    device_slot = 0;
    options.restore(kept);
}

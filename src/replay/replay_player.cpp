#include "replay/replay_player.h"

#include "fighters/cplayer.h"
#include "match/cgame.h"
#include "match/control.h"
#include "match/match_hash.h"

bool replay_player::start(const replay_data& new_replay, std::string& error)
{
    if (!starter.start(setup_of(new_replay), error))
        return false;
    replay = new_replay;
    tick = 0;
    next_checkpoint = 0;
    mismatch = -1;
    for (std::size_t human = 0; human < replay.humans.size(); human++) {
        run[human] = 0;
        has_left[human] = false;
        const auto& runs = replay.humans[human].runs;
        left_in_run[human] = runs.empty() ? 0 : runs[0].ticks;
    }
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
    starter.finish();
}

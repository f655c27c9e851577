#include "replay/match_recorder.h"

#include "frontend/coptions.h"
#include "replay/match_hash.h"

void match_recorder::start(const match_setup& setup)
{
    replay = replay_data{};
    replay.seed = setup.seed;
    replay.skill = setup.skill;
    replay.bots = setup.lineup.bots;
    replay.map_name = setup.map_name;
    replay.map_text = setup.map_text;
    recorded_human human;
    for (int i = 0; i < 3; i++)
        human.colors[i] = setup.lineup.colors[0][i];
    human.scale_x = coptions::scale_x();
    human.scale_y = coptions::scale_y();
    replay.humans.push_back(human);
}

void match_recorder::step_taken(const control_reading& reading)
{
    replay.humans[0].add(reading);
    replay.ticks++;
    if (replay.ticks % checkpoint_ticks == 0)
        checkpoint();
}

const replay_data& match_recorder::finish()
{
    if (replay.checkpoints.empty() || replay.checkpoints.back().tick != replay.ticks)
        checkpoint();
    return replay;
}

void match_recorder::checkpoint()
{
    replay.checkpoints.push_back({replay.ticks, match_hash()});
}

#include "replay/match_recorder.h"

#include "frontend/coptions.h"
#include "replay/match_hash.h"

void match_recorder::start(std::uint32_t seed, const std::string& map_name, const std::string& map_text)
{
    replay = replay_data{};
    replay.seed = seed;
    replay.skill = options.get_skill();
    replay.bots = options.get_bots();
    replay.map_name = map_name;
    replay.map_text = map_text;
    recorded_human human;
    for (int i = 0; i < 3; i++)
        human.colors[i] = options.color(i);
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

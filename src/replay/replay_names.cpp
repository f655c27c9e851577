#include "replay/replay_names.h"

std::vector<std::string> human_names_at(const replay_data& replay, std::uint32_t tick)
{
    std::vector<std::string> names;
    // One who came in late plays from the step of its first tick; those
    // after it came later still.
    for (std::size_t human = 0; human < replay.humans.size() && human < replay.setup.humans.size(); human++) {
        const std::uint32_t first_tick = replay.humans[human].first_tick;
        if (first_tick > 0 && tick <= first_tick)
            break;
        names.push_back(replay.setup.humans[human].name);
    }
    return names;
}

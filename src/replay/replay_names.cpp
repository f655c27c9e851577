#include "replay/replay_names.h"

std::vector<std::string> human_names_at(const replay_data& replay, std::uint32_t tick)
{
    std::vector<std::string> names;
    // One who came in late plays from the step of its first tick; those
    // after it came later still.
    for (const recorded_human& human : replay.humans) {
        if (human.first_tick > 0 && tick <= human.first_tick)
            break;
        names.push_back(human.name);
    }
    return names;
}

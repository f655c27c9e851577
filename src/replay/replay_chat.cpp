#include "replay/replay_chat.h"

std::vector<chat_entry> replay_chat(const replay_data& replay)
{
    std::vector<chat_entry> lines;
    for (const recorded_chat& said : replay.chat) {
        // The reader holds every slot to the humans'; a replay made in
        // memory is taken as it comes.
        if (said.slot < 0 || said.slot >= static_cast<int>(replay.setup.humans.size()))
            continue;
        const human_look& speaker = replay.setup.humans[static_cast<std::size_t>(said.slot)];
        lines.push_back({said.tick, speaker.name, speaker.colors[1], said.text, false});
    }
    return lines;
}

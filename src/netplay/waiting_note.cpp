#include "netplay/waiting_note.h"

#include "app/text.h"

namespace {

// Below the "REPLAY" banner's place, above the fighters' usual height.
const int note_y = 180;

}  // namespace

std::string waiting_line(const std::vector<int>& slots, const std::vector<net_player>& humans)
{
    std::string line;
    for (int slot : slots) {
        line += line.empty() ? "WAITING FOR " : ", ";
        line += slot >= 0 && slot < static_cast<int>(humans.size()) ? humans[static_cast<std::size_t>(slot)].name
                                                                     : "PLAYER " + std::to_string(slot + 1);
    }
    return line;
}

void draw_waiting_note(const std::vector<int>& slots, const std::vector<net_player>& humans)
{
    const std::string line = waiting_line(slots, humans);
    if (!line.empty())
        draw_text(al_map_rgb(255, 220, 64), line.c_str(), centred_x(line.c_str(), true), note_y, true);
}

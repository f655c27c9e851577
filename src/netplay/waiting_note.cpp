#include "netplay/waiting_note.h"

#include "app/text.h"

namespace {

// Below the "REPLAY" banner's place, above the fighters' usual height.
const int note_y = 180;

}  // namespace

std::string waiting_line(const std::vector<int>& slots)
{
    std::string line;
    for (int slot : slots) {
        line += line.empty() ? "WAITING FOR " : ", ";
        // Numbered as the lobby lists them.
        line += slot == 0 ? "HOST" : "PLAYER " + std::to_string(slot + 1);
    }
    return line;
}

void draw_waiting_note(const std::vector<int>& slots)
{
    const std::string line = waiting_line(slots);
    if (!line.empty())
        draw_text(al_map_rgb(255, 220, 64), line.c_str(), centred_x(line.c_str(), true), note_y, true);
}

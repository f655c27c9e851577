#include "match/chat_view.h"

#include <algorithm>

#include <allegro5/allegro_primitives.h>

#include "app/text.h"
#include "fighters/fighter_palette.h"

namespace {

const int text_height = 21;  // the small font's
const int margin = 4;

}  // namespace

std::vector<chat_entry> chat_shown(const std::vector<chat_entry>& lines, std::uint32_t now)
{
    // After the last line said by `now`, back while they are recent enough.
    auto end = std::upper_bound(lines.begin(), lines.end(), now,
                                [](std::uint32_t tick, const chat_entry& line) { return tick < line.tick; });
    auto begin = end;
    while (begin != lines.begin() && static_cast<std::size_t>(end - begin) < chat_lines_shown &&
           now - (begin - 1)->tick < chat_shown_ticks)
        --begin;
    return std::vector<chat_entry>(begin, end);
}

void draw_chat_lines(const std::vector<chat_entry>& lines, int bottom)
{
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    const ALLEGRO_COLOR note_colour = al_map_rgb(255, 220, 64);
    int y = bottom - text_height - static_cast<int>(lines.size() - 1) * chat_line_height;
    for (const chat_entry& line : lines) {
        const std::string said = line.note ? line.text : ": " + line.text;
        const int name_width = text_width(static_cast<int>(line.name.size()), false);
        const int right = chat_left + name_width + text_width(static_cast<int>(said.size()), false);
        // Dark behind the line, so that it reads over any map.
        al_draw_filled_rectangle(chat_left - margin, y - margin, right + margin, y + text_height + margin,
                                 al_map_rgba(0, 0, 0, 150));
        if (!line.note) {
            const ALLEGRO_COLOR shirt = cloth_color(line.shirt);
            if (dark_cloth(shirt))
                al_draw_filled_rectangle(chat_left - 2, y - 2, chat_left + name_width + 2, y + text_height + 2,
                                         light_backing());
            draw_text(shirt, line.name.c_str(), chat_left, y, false);
        }
        draw_text(line.note ? note_colour : white, said.c_str(), chat_left + name_width, y, false);
        y += chat_line_height;
    }
}

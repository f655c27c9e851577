#include "netplay/lobby_list.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include <allegro5/allegro_primitives.h>

#include "app/assets.h"
#include "app/text.h"
#include "fighters/fighter_palette.h"
#include "frontend/coptions.h"

namespace {

// A row, left to right.
const int number_x = 760;
const int look_x = 820;
const int swatch_size = 40;
const int label_x = 990;
const int text_drop = 4;  // the big font's line sits this far below the row's top

}  // namespace

net_player own_look()
{
    net_player look;
    for (int i = 0; i < 3; i++)
        look.colors[i] = options.color(i);
    look.name = options.get_player_name();
    return look;
}

void draw_centred_line(const char* text, int y, bool big, ALLEGRO_COLOR color)
{
    draw_text(color, text, centred_x(text, big), y, big);
}

void draw_lobby_list(const std::vector<net_player>& humans, int local_slot, bool host_plays)
{
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    for (int slot = 0; slot < static_cast<int>(humans.size()) && slot < net_max_slots; slot++) {
        const net_player& look = humans[static_cast<std::size_t>(slot)];
        const int y = lobby_list_layout::top + lobby_list_layout::row_spacing * slot;
        char number[4];
        std::snprintf(number, sizeof number, "%d", slot + 1);
        draw_text(white, number, number_x, y + text_drop, true);
        draw_look(look.colors, look_x, y, swatch_size);
        std::string who = look.name;
        if (slot == 0 && host_plays)
            who += " (HOST)";
        if (slot == local_slot)
            who += " (YOU)";
        draw_text(white, who.c_str(), label_x, y + text_drop, true);
    }
}

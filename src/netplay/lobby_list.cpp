#include "netplay/lobby_list.h"

#include <algorithm>
#include <cstdio>

#include <allegro5/allegro_primitives.h>

#include "app/assets.h"
#include "app/text.h"
#include "fighters/fighter_palette.h"
#include "frontend/coptions.h"

namespace {

// A row, left to right; the swatches are as high as the head drawn at
// `head_scale` times its picture's size (14 x 17).
const int number_x = 760;
const int head_x = 820;
const float head_scale = 2.5f;
const int shirt_x = 870;
const int pants_x = 920;
const int swatch_size = 40;
const int label_x = 990;
const int text_drop = 4;  // the big font's line sits this far below the row's top

const int last_hair = 2;

}  // namespace

net_colors own_look()
{
    net_colors look;
    for (int i = 0; i < 3; i++)
        look.colors[i] = options.color(i);
    return look;
}

void draw_centred_line(const char* text, int y, bool big, ALLEGRO_COLOR color)
{
    draw_text(color, text, centred_x(text, big), y, big);
}

void draw_lobby_list(const std::vector<net_colors>& humans, int local_slot)
{
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    for (int slot = 0; slot < static_cast<int>(humans.size()) && slot < net_max_slots; slot++) {
        const net_colors& look = humans[static_cast<std::size_t>(slot)];
        const int y = lobby_list_layout::top + lobby_list_layout::row_spacing * slot;
        char number[4];
        std::snprintf(number, sizeof number, "%d", slot + 1);
        draw_text(white, number, number_x, y + text_drop, true);
        ALLEGRO_BITMAP* head = bhead[std::clamp(look.colors[0], 0, last_hair)];
        if (head)
            al_draw_scaled_bitmap(head, 0, 0, al_get_bitmap_width(head), al_get_bitmap_height(head), head_x, y,
                                  al_get_bitmap_width(head) * head_scale, al_get_bitmap_height(head) * head_scale,
                                  0);
        al_draw_filled_rectangle(shirt_x, y, shirt_x + swatch_size, y + swatch_size, cloth_color(look.colors[1]));
        al_draw_filled_rectangle(pants_x, y, pants_x + swatch_size, y + swatch_size, cloth_color(look.colors[2]));
        const char* who = slot == 0 ? (slot == local_slot ? "HOST (YOU)" : "HOST")
                                    : (slot == local_slot ? "YOU" : "");
        draw_text(white, who, label_x, y + text_drop, true);
    }
}

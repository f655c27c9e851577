#include "frontend/cmenu.h"

#include "app/assets.h"
#include "app/input.h"
#include "app/pointer.h"
#include "app/shell.h"
#include "app/text.h"
#include "frontend/backdrop.h"
#include "frontend/coptions.h"

namespace {

// Item boxes in logical units, exclusive at both ends; the pictures sit
// inside them, 75 units apart.
const float items_left = 809;
const float items_right = 1110;
const float first_item_top = 365;
const float item_height = 51;
const float item_spacing = 75;
const int item_count = 5;

const int item_picture_x = 810;
const int first_item_picture_y = 367;

// Below the column, a row of two half-width entries, each box one unit
// around its picture; an entry names its place (0 left, 1 right), its mode
// and its picture in bmenu.
const float pair_top = 744;
const float pair_height = 42;
const float pair_width = 147;
const float pair_gap = 7;
const struct {
    int place;
    int mode;
    int picture;
} pair_entries[] = {
    {0, mode_network, 7},
    {1, mode_replays, 6},
};

float pair_left(int place)
{
    return items_left + (pair_width + pair_gap) * place;
}

bool inside(float x, float y, float left, float top, float right, float bottom)
{
    return left < x && x < right && top < y && y < bottom;
}

}  // namespace

cmenu::cmenu()
{
    make_backdrop(backdrop);
}

void cmenu::init()
{
    choice = mode_menu;
    click.hold();
}

void cmenu::update()
{
    poll_mouse();
    if (!click.pressed(mouse.buttons & 1))
        return;

    const float x = pointer_x();
    const float y = pointer_y();
    for (int item = 0; item < item_count; item++) {
        float top = first_item_top + item_spacing * item;
        if (inside(x, y, items_left, top, items_right, top + item_height)) {
            choice = mode_play + item;
            return;
        }
    }
    for (const auto& entry : pair_entries) {
        const float left = pair_left(entry.place);
        if (inside(x, y, left, pair_top, left + pair_width, pair_top + pair_height))
            choice = entry.mode;
    }
}

void cmenu::draw()
{
    draw_backdrop(backdrop);
    al_draw_bitmap(bmenu[0], 273, 37, 0);
    for (int item = 0; item < item_count; item++)
        al_draw_bitmap(bmenu[1 + item], item_picture_x, first_item_picture_y + item_spacing * item, 0);
    for (const auto& entry : pair_entries)
        al_draw_bitmap(bmenu[entry.picture], pair_left(entry.place) + 1, pair_top + 1, 0);
    draw_text(al_map_rgb(255, 255, 255), "0.60", 1852, 1044, false);
    show_frame();
}

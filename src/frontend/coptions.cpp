#include "frontend/coptions.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/assets.h"
#include "app/input.h"
#include "app/logical_screen.h"
#include "app/pointer.h"
#include "app/shell.h"
#include "app/text.h"
#include "frontend/backdrop.h"
#include "frontend/cmenu.h"
#include "frontend/settings_file.h"
#include "map/cmap.h"
#include "match/player_name.h"

namespace {

// Five rows of settings in two columns. A row's click box is 39 units high
// and exclusive at both ends; its arrow frames sit one unit below the box's
// top and its text eight units below.
const int row_count = 5;
const int first_row_top = 299;
const int row_spacing = 68;
const int row_height = 39;
const int frame_offset = 1;
const int text_offset = 8;

// The four arrow areas of a row, left to right: the left column's two
// arrows, then the right column's.
const int arrow_count = 4;
const int arrow_lefts[arrow_count] = {534, 862, 1165, 1493};
const int arrow_width = 21;

const float back_left = 809;
const float back_right = 1110;
const float back_top = 779;
const float back_bottom = 830;
const int back_picture_x = 810;
const int back_picture_y = 780;

// Labels end at a column's label edge and values at its value edge.
struct column_layout {
    int label_end;
    int value_end;
    int frame_x;
};
const column_layout columns[2] = {{495, 853, 535}, {1126, 1484, 1166}};

// The antialiasing row shows a frame without arrows: it cannot be changed.
const int antialiasing_row = 1;
const int fixed_frame_x = 558;

const int most_bots = 10;
const int most_kills = 50;
const int hardest = 0;
const int easiest = 2;
const int last_hair = 2;
const int last_cloth = 5;

const char* const hair_names[last_hair + 1] = {"YELLOW", "BROWN", "BLACK"};
const char* const cloth_names[last_cloth + 1] = {"RED", "BROWN", "GREEN", "BLUE", "GREY", "WHITE"};

const ALLEGRO_COLOR white = {1, 1, 1, 1};
// The kill limit is only shown: no match ends on it.
const ALLEGRO_COLOR greyed = {92 / 255.0f, 92 / 255.0f, 92 / 255.0f, 1};

int row_top(int row)
{
    return first_row_top + row_spacing * row;
}

// The row whose box holds y, or -1.
int row_at(float y)
{
    for (int row = 0; row < row_count; row++)
        if (row_top(row) < y && y < row_top(row) + row_height)
            return row;
    return -1;
}

// The arrow area that holds x, or -1.
int arrow_at(float x)
{
    for (int arrow = 0; arrow < arrow_count; arrow++)
        if (arrow_lefts[arrow] < x && x < arrow_lefts[arrow] + arrow_width)
            return arrow;
    return -1;
}

// Moves a value one step if it stays within [low, high]; settings stop at
// their ends and never wrap around.
void step(int& value, int delta, int low, int high)
{
    int next = value + delta;
    if (next >= low && next <= high)
        value = next;
}

int right_aligned(const char* text, int end)
{
    return end - text_width(static_cast<int>(std::strlen(text)), true);
}

// A row of one column: its label and its value, both right-aligned.
void draw_setting(int column, int row, const char* label, const char* value,
                  ALLEGRO_COLOR value_color = white)
{
    const column_layout& layout = columns[column];
    int y = row_top(row) + text_offset;
    draw_text(white, label, right_aligned(label, layout.label_end), y, true);
    draw_text(value_color, value, right_aligned(value, layout.value_end), y, true);
}

const char* name_or_last(const char* const names[], int count, int index)
{
    return index >= 0 && index < count ? names[index] : names[count - 1];
}

}  // namespace

coptions::coptions() : player_name(login_player_name())
{
    make_backdrop(backdrop);
}

void coptions::remember_joined(const std::string& address)
{
    joined.erase(std::remove(joined.begin(), joined.end(), address), joined.end());
    joined.insert(joined.begin(), address);
    if (joined.size() > kept_settings::most_joined)
        joined.resize(kept_settings::most_joined);
}

void coptions::set_player_name(const std::string& name)
{
    player_name = is_player_name(name) ? name : login_player_name();
}

float coptions::scale_x()
{
    return display ? al_get_display_width(display) / float(logical_width) : 1.0f;
}

float coptions::scale_y()
{
    return display ? al_get_display_height(display) / float(logical_height) : 1.0f;
}

void coptions::fill_map_name()
{
    // The map list hands out the whole file name first, so it needs room
    // for more than the 16 characters shown.
    char name[cmap::max_name_length + 1];
    map.get_name(level, name, true);
    size_t length = std::strlen(name);
    if (length >= sizeof map_name)
        length = sizeof map_name - 1;
    std::memcpy(map_name, name, length);
    map_name[length] = '\0';
}

kept_settings coptions::get_kept() const
{
    kept_settings kept;
    kept.bots = bots;
    kept.skill = skill;
    for (int i = 0; i < 3; i++)
        kept.colors[i] = colors[i];
    char name[cmap::max_name_length + 1];
    map.get_name(level, name, false);
    kept.map = name;
    kept.show_fps = show_fps;
    kept.fullscreen = display_fullscreen;
    kept.name = player_name;
    kept.host_port = host_port;
    kept.joined = joined;
    return kept;
}

bool coptions::restore(const kept_settings& kept)
{
    auto clamp = [](int value, int low, int high) { return value < low ? low : value > high ? high : value; };
    bots = clamp(kept.bots, 1, most_bots);
    skill = clamp(kept.skill, hardest, easiest);
    colors[0] = clamp(kept.colors[0], 0, last_hair);
    colors[1] = clamp(kept.colors[1], 0, last_cloth);
    colors[2] = clamp(kept.colors[2], 0, last_cloth);
    show_fps = kept.show_fps;
    // The display is made in this mode, so it is the display's mode too.
    fullscreen = display_fullscreen = kept.fullscreen;
    set_player_name(kept.name);
    host_port = clamp(kept.host_port, 1, 65535);
    joined = kept.joined;
    level = 0;
    if (kept.map.empty())
        return true;
    char name[cmap::max_name_length + 1];
    for (int index = 0; index < map.get_nm(); index++) {
        map.get_name(index, name, false);
        if (kept.map == name) {
            level = index;
            return true;
        }
    }
    return false;
}

void coptions::init()
{
    fullscreen = display_fullscreen;
    click.hold();
    quit = false;
    fill_map_name();
}

void coptions::update()
{
    poll_mouse();
    if (!click.pressed(mouse.buttons & 1))
        return;

    const float x = pointer_x();
    const float y = pointer_y();
    int row = row_at(y);
    if (row >= 0) {
        int arrow = arrow_at(x);
        if (arrow >= 0)
            press_arrow(row, arrow);
    } else if (back_left < x && x < back_right && back_top < y && y < back_bottom) {
        press_back();
    }
}

void coptions::press_arrow(int row, int arrow)
{
    int delta = arrow % 2 == 0 ? -1 : 1;  // a left arrow lowers, a right arrow raises
    if (arrow < 2) {
        switch (row) {
        case 0: fullscreen = arrow == 0; break;
        case 2: show_fps = arrow == 0; break;
        case 3:
            step(level, delta, 0, map.get_nm() - 1);
            fill_map_name();
            break;
        case 4: step(kills, delta, 1, most_kills); break;
        default: break;  // antialiasing is only shown
        }
        return;
    }
    switch (row) {
    case 0: step(bots, delta, 1, most_bots); break;
    case 1: step(skill, -delta, hardest, easiest); break;  // left makes the bots easier
    case 2: step(colors[0], delta, 0, last_hair); break;
    case 3: step(colors[1], delta, 0, last_cloth); break;
    default: step(colors[2], delta, 0, last_cloth); break;
    }
}

// Leaving asks the mode loop for a new display only when the chosen mode
// differs from the one in force.
void coptions::press_back()
{
    if (fullscreen != display_fullscreen) {
        menu.set_choice(fullscreen ? mode_fullscreen_display : mode_windowed_display);
        display_fullscreen = fullscreen;
    }
    quit = true;
}

void coptions::draw()
{
    draw_backdrop(backdrop);
    for (int row = 0; row < row_count; row++) {
        int y = row_top(row) + frame_offset;
        if (row == antialiasing_row)
            al_draw_bitmap(boptions[1], fixed_frame_x, y, 0);
        else
            al_draw_bitmap(boptions[0], columns[0].frame_x, y, 0);
        al_draw_bitmap(boptions[0], columns[1].frame_x, y, 0);
    }

    char text[32];
    draw_setting(0, 0, "DISPLAY MODE", fullscreen ? "FULLSCREEN" : "WINDOWED");
    if (antialiasing == -1)
        std::snprintf(text, sizeof text, "NOT AVAILABLE");
    else
        std::snprintf(text, sizeof text, "%ix", antialiasing);
    draw_setting(0, 1, "ANTIALIASING", text);
    draw_setting(0, 2, "SHOW FPS", show_fps ? "ON" : "OFF");
    std::snprintf(text, sizeof text, "%16s", map_name);
    draw_setting(0, 3, "MAP", text);
    std::snprintf(text, sizeof text, "%2i", kills);
    draw_setting(0, 4, "KILLS", text, greyed);

    std::snprintf(text, sizeof text, "%2i", bots);
    draw_setting(1, 0, "BOTS", text);
    draw_setting(1, 1, "SKILL", skill == easiest ? "EASY" : skill == 1 ? "MEDIUM" : "HARD");
    draw_setting(1, 2, "HAIR", name_or_last(hair_names, last_hair + 1, colors[0]));
    draw_setting(1, 3, "SHIRT", name_or_last(cloth_names, last_cloth + 1, colors[1]));
    draw_setting(1, 4, "PANTS", name_or_last(cloth_names, last_cloth + 1, colors[2]));

    al_draw_bitmap(boptions[2], back_picture_x, back_picture_y, 0);
    show_frame();
}

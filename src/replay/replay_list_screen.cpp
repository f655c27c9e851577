#include "replay/replay_list_screen.h"

#include <algorithm>
#include <filesystem>

#include "app/input.h"
#include "app/pointer.h"
#include "app/shell.h"
#include "app/text.h"
#include "fighters/fighter_palette.h"
#include "frontend/backdrop.h"

namespace {

// The columns of a row, left to right.
const int when_x = 170;
const int map_x = 620;
const int reason_x = 620;
const int length_x = 980;
const int humans_x = 1130;
const int swatch = 22;
const int name_gap = 24;
const int text_drop = 9;  // the big font's line sits this far below the row's top

const int title_y = 100;
const int help_y = 960;
const int question_y = 1010;

const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
const ALLEGRO_COLOR greyed = al_map_rgb(120, 120, 120);

bool key(int keycode)
{
    return al_key_down(&keyboard, keycode);
}

void draw_centred(const char* text, int y, bool big, ALLEGRO_COLOR colour)
{
    draw_text(colour, text, centred_x(text, big), y, big);
}

}  // namespace

replay_list_screen::replay_list_screen()
{
    make_backdrop(backdrop);
}

void replay_list_screen::init(const std::string& new_folder, int new_selected)
{
    folder = new_folder;
    chosen.clear();
    left = false;
    asking = false;
    note.clear();
    first_shown = 0;
    list_again();
    select(new_selected);
    poll_mouse();
    wheel = mouse.z;
    for (press_latch* latch : {&click, &up_key, &down_key, &enter_key, &delete_key, &escape_key, &yes_key, &no_key})
        latch->hold();
    if (display)
        al_show_mouse_cursor(display);
}

void replay_list_screen::list_again()
{
    rows = list_replays(folder);
}

// Chooses a row and scrolls it into sight.
void replay_list_screen::select(int row)
{
    const int count = static_cast<int>(rows.size());
    selected = std::clamp(row, 0, std::max(0, count - 1));
    if (selected < first_shown)
        first_shown = selected;
    if (selected >= first_shown + replay_list_layout::rows_shown)
        first_shown = selected - replay_list_layout::rows_shown + 1;
}

void replay_list_screen::pick(int row)
{
    select(row);
    if (row < static_cast<int>(rows.size()) && rows[row].reason.empty())
        chosen = rows[row].path;
}

void replay_list_screen::update()
{
    poll_keyboard();
    poll_mouse();
    if (asking)
        question();
    else
        keys();
    pointer();
}

void replay_list_screen::keys()
{
    if (escape_key.pressed(key(ALLEGRO_KEY_ESCAPE)))
        left = true;
    if (up_key.pressed(key(ALLEGRO_KEY_UP)))
        select(selected - 1);
    if (down_key.pressed(key(ALLEGRO_KEY_DOWN)))
        select(selected + 1);
    if (enter_key.pressed(key(ALLEGRO_KEY_ENTER) || key(ALLEGRO_KEY_PAD_ENTER)))
        pick(selected);
    if (delete_key.pressed(key(ALLEGRO_KEY_DELETE)) && !rows.empty()) {
        asking = true;
        note.clear();
    }
}

// Y or Enter deletes the selected replay; N or Escape keeps it.
void replay_list_screen::question()
{
    const bool yes = yes_key.pressed(key(ALLEGRO_KEY_Y) || key(ALLEGRO_KEY_ENTER));
    const bool no = no_key.pressed(key(ALLEGRO_KEY_N) || key(ALLEGRO_KEY_ESCAPE));
    // Keys held for the answer do not act again after it.
    enter_key.hold();
    escape_key.hold();
    if (no) {
        asking = false;
        return;
    }
    if (!yes)
        return;
    asking = false;
    std::error_code error;
    std::filesystem::remove(rows[selected].path, error);
    if (error)
        note = "cannot delete " + rows[selected].name + " (" + error.message() + ")";
    list_again();
    select(selected);
}

void replay_list_screen::pointer()
{
    const int turned = mouse.z - wheel;
    wheel = mouse.z;
    const int last_first = std::max(0, static_cast<int>(rows.size()) - replay_list_layout::rows_shown);
    first_shown = std::clamp(first_shown - turned, 0, last_first);
    if (!click.pressed(mouse.buttons & 1) || asking)
        return;
    const float x = pointer_x();
    const float y = pointer_y();
    if (!(replay_list_layout::left < x && x < replay_list_layout::right && replay_list_layout::top < y))
        return;
    const int shown = static_cast<int>((y - replay_list_layout::top) / replay_list_layout::row_height);
    const int row = first_shown + shown;
    if (shown < replay_list_layout::rows_shown && row < static_cast<int>(rows.size()))
        pick(row);
}

void replay_list_screen::draw()
{
    draw_backdrop(backdrop);
    draw_centred("REPLAYS", title_y, true, white);
    if (rows.empty())
        draw_centred("NO REPLAYS YET", replay_list_layout::top + text_drop, true, greyed);
    const int last = std::min(static_cast<int>(rows.size()), first_shown + replay_list_layout::rows_shown);
    for (int row = first_shown; row < last; row++)
        draw_row(row, replay_list_layout::top + replay_list_layout::row_height * (row - first_shown));
    if (asking) {
        const std::string ask = "DELETE " + rows[selected].name + "?  Y / N";
        draw_centred(ask.c_str(), question_y, true, white);
    } else if (!note.empty()) {
        draw_centred(note.c_str(), question_y, false, white);
    }
    draw_centred("CLICK OR ENTER: PLAY    DELETE: DELETE    ESCAPE: MENU", help_y, false, greyed);
    show_frame();
}

void replay_list_screen::draw_row(int row, int y) const
{
    const replay_row& shown = rows[row];
    if (row == selected)
        al_draw_filled_rectangle(replay_list_layout::left, y, replay_list_layout::right,
                                 y + replay_list_layout::row_height - 2, al_map_rgba(120, 16, 12, 200));
    const bool playable = shown.reason.empty();
    const ALLEGRO_COLOR colour = playable ? white : greyed;
    draw_text(colour, shown.when.empty() ? shown.name.c_str() : shown.when.c_str(), when_x, y + text_drop, true);
    if (!playable) {
        draw_text(greyed, shown.reason.c_str(), reason_x, y + text_drop + 6, false);
        return;
    }
    draw_text(colour, shown.map.c_str(), map_x, y + text_drop, true);
    draw_text(colour, shown.length.c_str(), length_x, y + text_drop, true);
    // Each human's name after a square of their shirt, as many as fit.
    int x = humans_x;
    for (std::size_t human = 0; human < shown.names.size(); human++) {
        const std::string& name = shown.names[human];
        const int width = swatch + 6 + text_width(static_cast<int>(name.size()), false);
        if (x + width > replay_list_layout::right - text_width(4, true)) {
            const std::string more = "+" + std::to_string(shown.names.size() - human);
            draw_text(colour, more.c_str(), x, y + text_drop, true);
            break;
        }
        al_draw_filled_rectangle(x, y + 14, x + swatch, y + 14 + swatch, cloth_color(shown.looks[human][1]));
        draw_text(colour, name.c_str(), x + swatch + 6, y + text_drop + 6, false);
        x += width + name_gap;
    }
}

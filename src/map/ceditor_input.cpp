// One step of the editor: the keys with their latches, painting and erasing
// with the mouse, and the leave dialog's buttons.
#include "map/ceditor.h"

#include <cmath>
#include <string>
#include <vector>

#include "app/input.h"
#include "app/pointer.h"
#include "app/press_latch.h"
#include "app/shell.h"
#include "routes/waypoint_placer.h"

namespace {

// The leave dialog's buttons, exclusive at both ends, in logical units.
const float button_top = 514;
const float button_bottom = 565;
const float save_left = 634;
const float save_right = 935;
const float discard_left = 984;
const float discard_right = 1285;

bool key(int keycode)
{
    return al_key_down(&keyboard, keycode);
}

}  // namespace

void ceditor::update()
{
    poll_keyboard();
    poll_mouse();
    leave_key();
    layer_keys();
    zoom_keys();
    selection_keys();
    undo_keys();
    route_key();
    test_play_key();
    place_key();
    buttons();
    if (routes && routes_stale && !(mouse.buttons & 3))
        refresh_routes();
    if (zoom_timer > 0)
        zoom_timer--;
    // A message stays up while the dialog it explains is open.
    if (message_timer > 0 && quit == editing)
        message_timer--;
}

// A press made while the dialog is open is left unlatched: if the key is
// still down when the dialog closes, it acts then.
bool ceditor::editing_press(press_latch& latch, bool down) const
{
    if (down && quit != editing)
        return false;
    return latch.pressed(down);
}

void ceditor::ask_to_leave()
{
    quit = asking;
    click_held = true;
}

void ceditor::leave_key()
{
    if (!latches.escape.pressed(key(ALLEGRO_KEY_ESCAPE)))
        return;
    quit = quit == editing ? asking : editing;
    click_held = true;
}

// No latch: a held key keeps choosing its layer, and the first one down wins
// even when its layer has no pictures.
void ceditor::layer_keys()
{
    if (key(ALLEGRO_KEY_1)) {
        if (picture_counts[back_layer] > 0) {
            brush_layer = back_layer;
            selection = 0;
        }
    } else if (key(ALLEGRO_KEY_2)) {
        if (picture_counts[wall_layer] > 0) {
            brush_layer = wall_layer;
            selection = 0;
        }
    } else if (key(ALLEGRO_KEY_3)) {
        brush_layer = marker_layer;
        selection = 0;
    }
}

// Q and E share one latch: a step per press, and the zoom text stays fully
// lit while either is held.
void ceditor::zoom_keys()
{
    const bool out = key(ALLEGRO_KEY_Q);
    const bool in = !out && key(ALLEGRO_KEY_E);
    if (latches.zoom.pressed(out || in)) {
        if (out && zoom < zoom_steps - 1)
            zoom++;
        else if (in && zoom > 0)
            zoom--;
    }
    if (out || in)
        zoom_timer = zoom_text_ticks;
}

void ceditor::selection_keys()
{
    const bool previous = key(ALLEGRO_KEY_Y);
    const bool next = !previous && key(ALLEGRO_KEY_X);
    if (!latches.select.pressed(previous || next))
        return;
    const int top = brush_layer == marker_layer ? marker_kinds - 1 : picture_counts[brush_layer] - 1;
    if (previous && selection > 0)
        selection--;
    else if (next && selection < top)
        selection++;
}

// Ctrl+Z undoes and Ctrl+Shift+Z redoes, one step per press, only while
// editing. A stroke still under way ends first, so it is what Ctrl+Z undoes.
void ceditor::undo_keys()
{
    const bool ctrl = key(ALLEGRO_KEY_LCTRL) || key(ALLEGRO_KEY_RCTRL);
    if (!editing_press(latches.undo, ctrl && key(ALLEGRO_KEY_Z)))
        return;
    history.end_stroke();
    if (key(ALLEGRO_KEY_LSHIFT) || key(ALLEGRO_KEY_RSHIFT)) {
        if (const edit_history::step* step = history.redo())
            for (const edit_history::cell_change& change : *step)
                cells[change.column][change.row] = change.after;
    } else if (const edit_history::step* step = history.undo()) {
        for (auto change = step->rbegin(); change != step->rend(); ++change)
            cells[change->column][change->row] = change->before;
    }
    changed = !history.at_saved();
    routes_stale = true;
}

// F5 asks the mode loop for a test match on the cells as they are.
void ceditor::test_play_key()
{
    if (!editing_press(latches.play, key(ALLEGRO_KEY_F5)))
        return;
    history.end_stroke();
    quit = test_play;
}

// P replaces every waypoint but the spawn points with placed ones, as one
// step that Ctrl+Z takes back.
void ceditor::place_key()
{
    if (!editing_press(latches.place, key(ALLEGRO_KEY_P)))
        return;
    const int columns = width / cmap::cell_size, rows = height / cmap::cell_size;
    std::vector<int> codes;
    for (int column = 0; column < columns; column++)
        for (int row = 0; row < rows; row++)
            codes.push_back(cells[column][row]);
    std::string why;
    if (!place_waypoints(columns, rows, codes, why)) {
        post_message("NO WAYPOINTS PLACED: %s", why.c_str());
        return;
    }
    history.end_stroke();
    history.begin_stroke();
    int placed = 0;
    for (int column = 0; column < columns; column++)
        for (int row = 0; row < rows; row++) {
            const int code = codes[static_cast<std::size_t>(column * rows + row)];
            placed += cells[column][row] != code;
            set_cell(column, row, code);
        }
    history.end_stroke();
    post_message("Waypoints placed: %d cells changed. Ctrl+Z takes them back.", placed);
}

// The left button paints every step while held, except a press held since
// the editor opened or the dialog last changed; with the dialog open it only
// presses the dialog's buttons. The right button erases while the left is up.
void ceditor::buttons()
{
    const bool left = (mouse.buttons & 1) != 0;
    const bool right = (mouse.buttons & 2) != 0;
    if (!left && !right)
        history.end_stroke();
    int column, row;
    if (left) {
        if (click_held)
            return;
        if (quit != editing) {
            press_dialog(pointer_x(), pointer_y());
            click_held = true;
        } else if (cell_at_pointer(&column, &row)) {
            set_cell(column, row, painted(cells[column][row]));
        }
        return;
    }
    if (right && quit == editing && cell_at_pointer(&column, &row))
        set_cell(column, row, 0);
    click_held = false;
}

void ceditor::press_dialog(float x, float y)
{
    if (y <= button_top || y >= button_bottom)
        return;
    if (x > save_left && x < save_right)
        quit = save_and_leave;
    else if (x > discard_left && x < discard_right)
        quit = leave_unsaved;
}

bool ceditor::cell_at_pointer(int* column, int* row) const
{
    const float size = static_cast<float>(zoom_sizes[zoom]);
    const float c = std::floor(pointer_x() / size);
    const float r = std::floor(pointer_y() / size);
    if (!(c >= 0 && r >= 0 && c < width / cmap::cell_size && r < height / cmap::cell_size))
        return false;
    *column = static_cast<int>(c);
    *row = static_cast<int>(r);
    return true;
}

int ceditor::get_cell(int column, int row) const
{
    if (column < 0 || row < 0 || column >= width / cmap::cell_size
        || row >= height / cmap::cell_size)
        return 0;
    return cells[column][row];
}

void ceditor::set_cell(int column, int row, int code)
{
    if (cells[column][row] == code)
        return;
    if (!history.stroke_open())
        history.begin_stroke();
    history.record(column, row, cells[column][row], code);
    cells[column][row] = code;
    routes_stale = true;
    changed = true;
}

// A picture takes the cell alone; a marker keeps the cell's pictures.
int ceditor::painted(int code) const
{
    switch (brush_layer) {
    case back_layer: return (selection + 1) * 100;
    case wall_layer: return (selection + 1) * 10000;
    default:
        // A negative code reads as an empty cell, so it is painted as one.
        return (code > 0 ? code / 100 * 100 : 0) + selection + 1;
    }
}

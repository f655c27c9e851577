// The map editor: its own copy of the map chosen in the options, into which
// the mouse paints back pictures, wall pictures and bot waypoint markers at
// five zoom steps, and a leave dialog that saves the map back to its file or
// drops the changes. It never touches the match's `map` apart from asking it
// for the file name.
//
// | file               | what it holds                                                    |
// |--------------------|------------------------------------------------------------------|
// | ceditor_file.cpp   | opening the map (`init`), saving it safely, letting go (`deinit`) |
// | ceditor_input.cpp  | one step: the keys and their latches, painting, erasing, dialog  |
// | ceditor_draw.cpp   | one frame: sky, cells, grid, dialog or brush, zoom text, message |
// | ceditor_routes.cpp | the route overlay: waypoint arrows and cells out of reach        |
//
// Keys: 1 back pictures, 2 wall pictures, 3 markers; Q zooms out, E in;
// Y and X pick the previous and next picture or marker; Escape opens and
// closes the leave dialog. Left button paints, right button erases; Ctrl+Z
// takes back one press-drag-release and Ctrl+Shift+Z takes it again; Tab
// shows and hides the route overlay; F5 plays the map as it stands; P
// places the bot waypoints afresh from the walls and spawn points.
#pragma once

#include <memory>
#include <string>

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include "app/press_latch.h"
#include "map/cmap.h"
#include "map/edit_history.h"
#include "routes/reach_map.h"

class ceditor {
public:
    static constexpr int back_layer = 0;
    static constexpr int wall_layer = 1;
    static constexpr int marker_layer = 2;
    static constexpr int marker_kinds = waypoint::kinds;
    static constexpr int zoom_steps = 5;
    static constexpr int zoom_text_ticks = 500;
    static constexpr int message_ticks = 1000;
    static constexpr int names_size = 4096;  // one layer's picture names, joined

    // `quit`: what the leave dialog decided.
    static constexpr int editing = 0;
    static constexpr int asking = -1;          // the dialog is open
    static constexpr int save_and_leave = 1;
    static constexpr int leave_unsaved = 2;
    static constexpr int test_play = 3;        // F5: play the cells as they are

    ceditor();

    // Reads the map chosen in the options. False, with the reason in
    // get_error(), when the map reader refuses it: the editor is then not open.
    bool init();
    void update();
    void draw() const;
    // Writes the map back to its file, keeping the previous version as
    // "<name>.bak". False when it cannot: the file on disk is unchanged, the
    // reason shows on screen, and the editor stays open with the dialog up.
    bool save();
    int get_quit() const { return quit; }
    // The map as its file would hold it now, for a test match on the edited
    // cells; "" with the reason on screen when no match could be played on it.
    std::string test_copy();
    // Back to editing after a test match, with `why` on screen if it was not
    // played ("" when it was).
    void resume(const char* why);
    // Destroys the editor's copies of the pictures.
    void deinit();

    // A cell was painted or erased since the map was read or saved.
    bool get_changed() const { return changed; }
    // Opens the leave dialog, as Escape does.
    void ask_to_leave();
    const char* get_error() const { return error; }
    const char* get_message() const { return message; }

    int get_width() const { return width; }
    int get_height() const { return height; }
    // The code of a cell of the map; 0 off its grid.
    int get_cell(int column, int row) const;
    int get_zoom() const { return zoom; }
    int get_zoom_size() const { return zoom_sizes[zoom]; }
    int get_zoom_timer() const { return zoom_timer; }
    int get_selection() const { return selection; }
    int get_brush_layer() const { return brush_layer; }
    // The route overlay, while it is shown; nullptr otherwise.
    const reach_map* get_routes() const { return routes.get(); }

private:
    // Opening and saving (ceditor_file.cpp).
    bool refuse(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void post_message(const char* format, ...) __attribute__((format(printf, 2, 3)));
    int spawn_count() const;

    // One step (ceditor_input.cpp).
    void leave_key();
    void layer_keys();
    void zoom_keys();
    void selection_keys();
    void undo_keys();
    bool editing_press(press_latch& latch, bool down) const;
    void test_play_key();
    void place_key();
    std::string file_text() const;
    void buttons();
    void press_dialog(float x, float y);
    // The cell under the pointer; false when the pointer is off the map's grid.
    bool cell_at_pointer(int* column, int* row) const;
    void set_cell(int column, int row, int code);
    // What the brush makes of a cell's code.
    int painted(int code) const;

    // The route overlay (ceditor_routes.cpp).
    void route_key();
    void refresh_routes();
    void draw_routes() const;

    // One frame (ceditor_draw.cpp).
    void draw_sky() const;
    void draw_cells() const;
    void draw_grid() const;
    void draw_brush() const;
    void draw_zoom_text() const;
    void draw_message() const;
    int columns_shown() const;
    int rows_shown() const;

    sky_colours sky;
    int height;
    int cells[cmap::max_columns][cmap::max_rows];
    int picture_counts[2];
    int quit;
    int selection;    // picture of the brush layer from 0, or marker kind - 1
    int brush_layer;  // back_layer, wall_layer or marker_layer
    int zoom_timer;   // steps left to show the zoom text
    int width;
    int zoom_sizes[zoom_steps];  // on-screen units of one cell per zoom step
    int zoom;
    char picture_names[2][names_size];
    // Keys that act once per press. The left button has no latch: it paints
    // every step while held, once `click_held` lets it.
    struct key_latches {
        press_latch escape, select, zoom, undo, route, play, place;
    } latches;
    bool click_held;
    ALLEGRO_BITMAP* tile_bitmaps[2][cmap::max_pictures];
    ALLEGRO_VERTEX backdrop[4];

    bool changed;
    edit_history history;
    std::unique_ptr<reach_map> routes;  // while the overlay is shown
    bool routes_stale;                  // the cells changed since it was worked out
    int message_timer;  // steps left to show the message
    char path[32];      // "zkm/<name>", fixed when the map is read
    char error[256];    // why the map was not opened
    char message[512];  // why a save failed, or which pictures are missing
};

extern ceditor editor;

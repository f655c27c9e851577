// The map of a match: a grid of 40-unit cells read from a map file in zkm/,
// the list of those files, the spawn points, the view's scroll position and
// the tile pictures.
//
// A cell code is wall x 10000 + back x 100 + marker: wall and back name a
// picture (1..99) of the wall and the back layer, marker 1..16 is a bot
// waypoint and 1..8 also a spawn point.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include "map/cell_code.h"

// The sky backdrop's colours at the map's top and bottom edges, each 0..1.
struct sky_colours {
    float top_r = 0, top_g = 0, top_b = 0;
    float bottom_r = 0, bottom_g = 0, bottom_b = 0;
};

// Sets the backdrop quad's colours from the sky: the top corners take the top
// colour, the bottom ones the bottom colour. The left corners lie at x = 0 and
// the right ones at `right`; the y values are set on every draw.
void fill_backdrop(ALLEGRO_VERTEX backdrop[4], const sky_colours& sky, float right);

class cmap {
public:
    static constexpr int cell_size = cell_code::cell_size;
    static constexpr int max_columns = 480;
    static constexpr int max_rows = 270;
    static constexpr int max_maps = 32;
    static constexpr int max_name_length = 20;  // file name with its extension
    static constexpr int max_spawns = 32;
    static constexpr int max_pictures = 99;     // per layer
    static constexpr int last_free_code = cell_code::last_free;

    // Listing and choosing (cmap_list.cpp).

    // Lists the map files of "zkm" in the working directory, once at start-up.
    void load();
    int get_nm() const { return nm; }
    // Copies name `index` into `out` (at least 21 bytes): whole, or without its
    // extension and upper-cased for display. An index off the list gives "".
    void get_name(int index, char* out, bool display) const;
    // Reads the map chosen in the options. False when it is refused; the
    // reason is then in get_error() and on standard error.
    bool init();
    // The file name and the whole text of the map chosen in the options, as
    // a match's set-up takes them; refused as `init` refuses.
    bool chosen_text(std::string& name, std::string& text);

    // Reading (cmap_read.cpp).

    // Reads one map file; `init` comes here with "zkm/<name>".
    bool read_file(const char* path);
    // Reads a map from a stream; `file_name` names it in the messages.
    // Nothing is printed (the fuzzer calls this on every input).
    bool read(std::istream& in, const char* file_name);
    // Destroys the tile pictures.
    void deinit();
    // Why the last read was refused, or "".
    const char* get_error() const { return error; }
    // Which pictures of the last read map failed to load, or "".
    const char* get_warning() const { return warning; }
    // Puts the error and the warning, if any, on standard error.
    void print_messages() const;

    int get_nsp() const { return nsp; }
    int get_spx(int index) const { return valid_spawn(index) ? spx[index] : 0; }
    int get_spy(int index) const { return valid_spawn(index) ? spy[index] : 0; }

    // View and cells (cmap_view.cpp).

    int get_width() const { return width; }
    int get_height() const { return height; }
    int get_xs() const { return xs; }
    int get_ys() const { return ys; }
    // The map point shown at the screen's top-left corner, stored as passed.
    void set_screen(int x, int y);
    // The cell code at a map point; 0 outside the map. Inline: bodies, rays
    // and drops ask it at every unit they move.
    int get_map(int x, int y) const
    {
        if (x < 0 || x >= width || y < 0 || y >= height)
            return 0;
        return cells[x / cell_size][y / cell_size];
    }
    // The one solidity rule every body asks: a wall stands there. Outside the
    // map nothing is solid.
    bool solid(int x, int y) const { return cell_code::solid(get_map(x, y)); }
    // A bullet hit the wall near map point (x, y): up to 15 free particles
    // start there as debris; the wall stays (cmap_damage.cpp).
    void damage(int x, int y);
    // Sky and tiles of the view; the first thing a match frame draws.
    void draw() const;
    // Whether the pictures of the map around the last view drawn are all made,
    // so that the frames to come draw no more of them.
    bool view_ready() const { return pieces.unfinished_near == 0; }

    // Match snapshots (cmap_cells.cpp): the codes of the cells the map uses,
    // column after column. A restore puts back codes saved on this map.
    int used_columns() const { return width / cell_size; }
    int used_rows() const { return height / cell_size; }
    void save_cells(std::vector<int>& codes) const;
    void restore_cells(const std::vector<int>& codes);

private:
    bool valid_spawn(int index) const { return index >= 0 && index < nsp; }
    // Forgets the map after a refused read: an empty map that draws only its sky.
    void clear();
    // Clears the map, keeps the reason and returns false.
    bool refuse(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // The sky quad's colours from the top and bottom fields.
    void build_backdrop();
    // Picture n (1..99) of a layer, or null when it is missing.
    ALLEGRO_BITMAP* picture(int layer, int n) const;
    // The code of cell (column, row); 0 outside the grid.
    int cell(int column, int row) const;
    void draw_sky() const;
    // Sending every tile, for pictures larger than their cells.
    void draw_tiles() const;

    // The view's pictures (cmap_pieces.cpp): sky and tiles drawn once into
    // pieces of up to a screen each, a changed cell again into its piece.
    struct cell_spot {
        int column, row;
    };
    void forget_pieces() const;
    void lay_out_pieces() const;
    void note_changed_cell(int column, int row);
    void paint(ALLEGRO_BITMAP* piece, int x, int y, int left, int top, int right, int bottom) const;
    ALLEGRO_BITMAP* made_piece(int column, int row) const;
    int piece_cell_rows(int row) const;
    void paint_rows(int column, int row, int rows_wanted) const;
    ALLEGRO_BITMAP* piece(int column, int row) const;
    // The picture kept longest without being shown, not one shown this frame;
    // the pictures' count when there is none.
    static size_t longest_unseen(const std::vector<ALLEGRO_BITMAP*>& pictures, const std::vector<unsigned>& shown_at,
                                 unsigned frame);
    void forget_longest_unseen_piece() const;
    void repaint_changed_cells() const;
    void prepaint_near(long long left, long long top, long long right, long long bottom) const;
    // The pieces shrunk to half for the half-size window (cmap_half_pieces.cpp).
    void forget_halves(size_t piece_index) const;
    void forget_longest_unseen_half() const;
    ALLEGRO_BITMAP* half_piece(int column, int row, int way) const;
    bool copy_halves(long long left, long long top, long long right, long long bottom) const;
    void shrink_ahead(long long left, long long top, long long right, long long bottom) const;
    void draw_pieces(long long left, long long top, long long right, long long bottom) const;

    sky_colours sky;
    int height;
    int cells[max_columns][max_rows];
    int nm;
    int nsp;
    int spx[max_spawns];
    int spy[max_spawns];
    int width;
    int xs;
    int ys;
    char map_names[max_maps][max_name_length + 1];
    ALLEGRO_BITMAP* tile_bitmaps[2][max_pictures];
    ALLEGRO_VERTEX backdrop[4];
    char error[256];
    char warning[256];
    // The view's pictures, made while drawing, which changes nothing the match sees.
    struct view_pieces {
        static constexpr int ways_to_fall = 4;  // halves a piece: odd or even scroll, across and down
        std::vector<ALLEGRO_BITMAP*> pictures;  // row after row; null until first shown
        std::vector<unsigned> shown_at;         // the frame each was last shown or wanted in
        std::vector<int> painted_rows;          // cell rows painted so far, from the top
        std::vector<ALLEGRO_BITMAP*> halves;    // four a piece; null until first shown
        std::vector<unsigned> half_shown_at;
        std::vector<cell_spot> changed_cells;   // since the last frame
        ALLEGRO_DISPLAY* display = nullptr;     // the one they were made for
        int width = 0, height = 0, columns = 0, rows = 0;
        unsigned frame = 0;
        int kept = 0;
        int halves_kept = 0;
        int unfinished_near = 0;  // pieces near the last view still to paint
    };
    mutable view_pieces pieces;
};

extern cmap map;

// The one solidity probe every body that moves through the map asks: the
// point is truncated toward zero, so -0.5 still lies in the first column.
inline bool solid_at(float x, float y)
{
    return map.solid(static_cast<int>(x), static_cast<int>(y));
}

// Map files as words: one reader that checks every word a file brings, one
// writer that lays a map out the way every map file of the game looks. The
// match's map and the editor read through the first; the editor and the map
// maker write through the second.
//
// The layout, one item a line: width and height in units; the top sky colour
// and the bottom one (red, green, blue, 0..1, six significant digits); the
// number of back pictures; the number of wall pictures; the back picture
// names and then the wall picture names, separated by single spaces, each
// line only when its layer has any; then one line per row of cells, top row
// first, each code written as "%06i" and separated by single spaces.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include <allegro5/allegro.h>

#include "map/cmap.h"

// So that a layer's 99 names joined by spaces still fit one 4096-byte line.
constexpr size_t max_picture_name = 40;

// Everything a map file holds apart from its cells, as the reader found it.
struct map_header {
    int width = 0;   // units, a multiple of 40
    int height = 0;
    float sky[6] = {};  // top red, green, blue, then bottom; each kept within 0..1
    int picture_counts[2] = {};
    char picture_names[2][cmap::max_pictures][max_picture_name + 1] = {};
    // The spawn points (markers 1..8) in reading order: top row first.
    int nsp = 0;
    int spx[cmap::max_spawns] = {};
    int spy[cmap::max_spawns] = {};
};

// The header's six sky numbers as the map and the editor keep them.
sky_colours sky_of(const map_header& header);

using cell_grid = int[cmap::max_columns][cmap::max_rows];

// The whole text of the map file at `path`, as a replay or a network match
// carries it; false when it cannot be read.
bool read_map_text(const std::string& path, std::string& text);

// The path of the listed map file `name`: "zkm/<name>".
std::string map_file_path(const char* name);

// Reads one map file, checking each word as it comes against the limits of
// the game's map; the cells go straight into `cells`, indexed [column][row].
// On the first fault it returns false with the reason, naming `file_name`, in
// `error`; the cells it got to are overwritten either way.
bool read_map_file(std::istream& in, const char* file_name, map_header& header, cell_grid& cells,
                   std::string& error);

// Loads the pictures the header names from png/ into `pictures`; the entries
// past a layer's count and the pictures that fail to load are null. Returns
// a warning naming the failures, or "".
std::string load_map_pictures(const map_header& header,
                              ALLEGRO_BITMAP* pictures[2][cmap::max_pictures],
                              const char* file_name);

// Writes a map file. `picture_lines` are each layer's names joined by single
// spaces; `code` gives the code of a cell by column and row.
void write_map_file(std::ostream& out, int width, int height, const float sky[6],
                    const int picture_counts[2], const char* const picture_lines[2],
                    const std::function<int(int column, int row)>& code);

// The cells a match snapshot keeps: only the columns and rows the map uses,
// which on the shipped maps is a small part of the whole grid.
#include "map/cmap.h"

#include <algorithm>

void cmap::save_cells(std::vector<int>& codes) const
{
    const int rows = used_rows();
    codes.resize(static_cast<std::size_t>(used_columns()) * rows);
    for (int column = 0; column < used_columns(); column++)
        std::copy(cells[column], cells[column] + rows, codes.begin() + column * rows);
}

void cmap::restore_cells(const std::vector<int>& codes)
{
    // Codes of a map of another size cannot be this map's.
    const int rows = used_rows();
    if (codes.size() != static_cast<std::size_t>(used_columns()) * rows)
        return;
    // Changed cells are drawn again into the view's pictures.
    for (int column = 0; column < used_columns(); column++) {
        for (int row = 0; row < rows; row++) {
            const int code = codes[static_cast<std::size_t>(column * rows + row)];
            if (cells[column][row] != code) {
                cells[column][row] = code;
                note_changed_cell(column, row);
            }
        }
    }
}

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
    for (int column = 0; column < used_columns(); column++)
        std::copy(codes.begin() + column * rows, codes.begin() + (column + 1) * rows, cells[column]);
}

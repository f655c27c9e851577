// Writing a map file in the one layout every map file of the game has, so
// that a map saved unchanged comes out byte for byte as it went in.
#include "map/map_file.h"

#include <cstdio>

namespace {

// The stream's default float format: six significant digits.
void write_colour(std::ostream& out, const float* rgb)
{
    out << rgb[0] << " " << rgb[1] << " " << rgb[2] << "\n";
}

}  // namespace

void write_map_file(std::ostream& out, int width, int height, const float sky[6],
                    const int picture_counts[2], const char* const picture_lines[2],
                    const std::function<int(int column, int row)>& code)
{
    out << width << " " << height << "\n";
    write_colour(out, sky);
    write_colour(out, sky + 3);
    out << picture_counts[0] << "\n" << picture_counts[1] << "\n";
    for (int layer = 0; layer < 2; layer++)
        if (picture_counts[layer] > 0)
            out << picture_lines[layer] << "\n";
    const int columns = width / cmap::cell_size;
    const int rows = height / cmap::cell_size;
    char text[16];
    for (int row = 0; row < rows; row++) {
        for (int column = 0; column < columns; column++) {
            std::snprintf(text, sizeof text, "%06i", code(column, row));
            out << text << (column + 1 < columns ? " " : "\n");
        }
    }
}

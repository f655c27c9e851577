// Reading a map file: its size, sky colours, picture names, cells and spawn
// points. The file comes from outside the program, so every word is checked
// against the map's limits before it is kept, and the pictures are loaded
// only once the whole file has been accepted.
#include "map/map_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "codec/reason_keeper.h"

namespace {

const char* const layer_names[2] = {"back", "wall"};
const char map_folder[] = "zkm/";
const char picture_folder[] = "png/";

// Longer than any number a map file holds; a longer word is no number.
const size_t max_word = 63;

bool is_space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

float unit_interval(float value)
{
    return std::min(1.0f, std::max(0.0f, value));
}

// Takes the words of one map file in order and checks each one as it comes;
// the first fault ends the reading with a message naming the file.
class map_reader : private reason_keeper {
public:
    map_reader(std::istream& in, const char* name, map_header& header_to_fill, cell_grid& grid,
               std::string& reason)
        : reason_keeper(reason), source(in.rdbuf()), file_name(name), header(header_to_fill), cells(grid)
    {
    }

    bool read()
    {
        header = map_header();
        if (!read_size("the width", "columns", cmap::max_columns, &header.width)
            || !read_size("the height", "rows", cmap::max_rows, &header.height) || !read_sky()
            || !read_picture_counts() || !read_picture_names(0) || !read_picture_names(1)
            || !read_cells(header.width / cmap::cell_size, header.height / cmap::cell_size))
            return false;
        if (header.nsp == 0)
            return fail("no spawn point (no cell has a marker from 1 to 8)");
        return true;
    }

private:
    // The next whitespace-separated word; false at the end of the file. Only
    // the first max_word characters are kept, but word_length counts them all.
    bool next_word()
    {
        word_length = 0;
        word[0] = '\0';
        if (!source)
            return false;
        int c = source->sgetc();
        while (c != EOF && is_space(c))
            c = source->snextc();
        if (c == EOF)
            return false;
        while (c != EOF && !is_space(c)) {
            if (word_length < max_word)
                word[word_length] = static_cast<char>(c);
            word_length++;
            c = source->snextc();
        }
        word[std::min(word_length, max_word)] = '\0';
        return true;
    }

    bool word_is_int(int* value) const
    {
        if (word_length == 0 || word_length > max_word)
            return false;
        char* end = nullptr;
        errno = 0;
        long number = std::strtol(word, &end, 10);
        if (end != word + word_length || errno == ERANGE || number < INT_MIN || number > INT_MAX)
            return false;
        *value = static_cast<int>(number);
        return true;
    }

    bool word_is_float(float* value) const
    {
        if (word_length == 0 || word_length > max_word)
            return false;
        char* end = nullptr;
        float number = std::strtof(word, &end);
        if (end != word + word_length || !std::isfinite(number))
            return false;
        *value = number;
        return true;
    }

    // The word as a message may show it: printable characters only, cut short.
    std::string shown_word() const
    {
        const size_t shown_length = 20;
        std::string shown;
        for (size_t i = 0; i < std::min(word_length, shown_length); i++) {
            unsigned char c = static_cast<unsigned char>(word[i]);
            shown += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
        }
        return word_length > shown_length ? shown + "..." : shown;
    }

    bool read_int(const char* what, int* value)
    {
        if (!next_word())
            return fail("the file ends before %s", what);
        if (!word_is_int(value))
            return fail("%s is not a whole number: \"%s\"", what, shown_word().c_str());
        return true;
    }

    bool read_float(const char* what, float* value)
    {
        if (!next_word())
            return fail("the file ends before %s", what);
        if (!word_is_float(value))
            return fail("%s is not a number: \"%s\"", what, shown_word().c_str());
        return true;
    }

    bool read_size(const char* what, const char* cells_are, int max_cells, int* value)
    {
        if (!read_int(what, value))
            return false;
        if (*value <= 0 || *value % cmap::cell_size != 0)
            return fail("%s %d is not a positive multiple of %d", what, *value, cmap::cell_size);
        if (*value / cmap::cell_size > max_cells)
            return fail("%s %d is more than %d %s", what, *value, max_cells, cells_are);
        return true;
    }

    bool read_sky()
    {
        const char* const parts[6] = {"the top red",    "the top green",    "the top blue",
                                      "the bottom red", "the bottom green", "the bottom blue"};
        for (int i = 0; i < 6; i++) {
            if (!read_float(parts[i], &header.sky[i]))
                return false;
            header.sky[i] = unit_interval(header.sky[i]);
        }
        return true;
    }

    bool read_picture_counts()
    {
        for (int layer = 0; layer < 2; layer++) {
            char what[48];
            std::snprintf(what, sizeof what, "the number of %s pictures", layer_names[layer]);
            int& count = header.picture_counts[layer];
            if (!read_int(what, &count))
                return false;
            if (count < 0 || count > cmap::max_pictures)
                return fail("%d %s pictures; a layer has 0 to %d", count, layer_names[layer],
                            cmap::max_pictures);
        }
        return true;
    }

    bool read_picture_names(int layer)
    {
        for (int k = 0; k < header.picture_counts[layer]; k++) {
            if (!next_word())
                return fail("the file ends before the name of %s picture %d", layer_names[layer],
                            k + 1);
            if (word_length > max_picture_name)
                return fail("the name of %s picture %d is longer than %zu characters: \"%s\"",
                            layer_names[layer], k + 1, max_picture_name, shown_word().c_str());
            std::strcpy(header.picture_names[layer][k], word);
        }
        return true;
    }

    bool read_cells(int columns, int rows)
    {
        for (int row = 0; row < rows; row++) {
            for (int column = 0; column < columns; column++) {
                int code = 0;
                if (!next_word())
                    return fail("the file ends before the cell at column %d, row %d", column, row);
                if (!word_is_int(&code))
                    return fail("the cell at column %d, row %d is not a whole number: \"%s\"",
                                column, row, shown_word().c_str());
                if (!keep_cell(column, row, code))
                    return false;
            }
        }
        return true;
    }

    // Negative codes name no picture and no marker: they read as empty, free cells.
    bool keep_cell(int column, int row, int code)
    {
        const int fields[2] = {cell_code::back_picture(code), cell_code::wall_picture(code)};
        const int* counts = header.picture_counts;
        for (int layer = 0; layer < 2; layer++)
            if (fields[layer] > counts[layer])
                return fail("the cell at column %d, row %d names %s picture %d, but the layer has %d",
                            column, row, layer_names[layer], fields[layer], counts[layer]);
        if (waypoint::spawn_point(cell_code::marker(code))) {
            if (header.nsp == cmap::max_spawns)
                return fail("more than %d spawn points (one more at column %d, row %d)",
                            cmap::max_spawns, column, row);
            header.spx[header.nsp] = column * cmap::cell_size;
            header.spy[header.nsp] = row * cmap::cell_size;
            header.nsp++;
        }
        cells[column][row] = code;
        return true;
    }

    std::string where() const override { return std::string(file_name) + ": "; }

    std::streambuf* source;
    const char* file_name;
    map_header& header;
    cell_grid& cells;
    char word[max_word + 1] = {};
    size_t word_length = 0;
};

}  // namespace

bool read_map_text(const std::string& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return !file.bad();
}

std::string map_file_path(const char* name)
{
    return std::string(map_folder) + name;
}

sky_colours sky_of(const map_header& header)
{
    const float* sky = header.sky;
    return {sky[0], sky[1], sky[2], sky[3], sky[4], sky[5]};
}

bool read_map_file(std::istream& in, const char* file_name, map_header& header, cell_grid& cells,
                   std::string& error)
{
    error.clear();
    return map_reader(in, file_name, header, cells, error).read();
}

// A picture that fails to load stays missing and is never drawn.
std::string load_map_pictures(const map_header& header,
                              ALLEGRO_BITMAP* pictures[2][cmap::max_pictures],
                              const char* file_name)
{
    int failed = 0;
    std::string first_failure;
    for (int layer = 0; layer < 2; layer++) {
        for (int k = 0; k < cmap::max_pictures; k++) {
            pictures[layer][k] = nullptr;
            if (k >= header.picture_counts[layer])
                continue;
            std::string path = std::string(picture_folder) + header.picture_names[layer][k];
            pictures[layer][k] = al_load_bitmap(path.c_str());
            if (!pictures[layer][k] && failed++ == 0)
                first_failure = path;
        }
    }
    if (failed == 0)
        return "";
    std::string warning = std::string(file_name) + ": cannot load " + first_failure;
    if (failed > 1)
        warning += " and " + std::to_string(failed - 1) + " more pictures";
    return warning;
}



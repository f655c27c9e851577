// Reading a map file: its size, sky colours, picture names, cells and spawn
// points. The file comes from outside the program, so every token is checked
// against the record's limits before it is kept, and pictures are loaded only
// once the whole file has been accepted.
#include "map/cmap.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

const char* const layer_names[2] = {"back", "wall"};
const char picture_folder[] = "png/";

// Longer than any number a map file holds; a longer word is no number.
const size_t max_word = 63;
// So that a layer's 99 names joined by spaces still fit one 4096-byte line.
const size_t max_picture_name = 40;

bool is_space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

float unit_interval(float value)
{
    return std::min(1.0f, std::max(0.0f, value));
}

}  // namespace

// Takes the words of one map file in order and checks each one as it comes;
// the first fault ends the reading with a message naming the file.
class map_reader {
public:
    map_reader(cmap& map_to_fill, std::istream& in, const char* name)
        : target(map_to_fill), source(in.rdbuf()), file_name(name)
    {
    }

    bool read()
    {
        int width = 0;
        int height = 0;
        float sky[6];
        if (!read_size("the width", "columns", cmap::max_columns, &width)
            || !read_size("the height", "rows", cmap::max_rows, &height) || !read_sky(sky)
            || !read_picture_counts() || !read_picture_names(0) || !read_picture_names(1)
            || !read_cells(width / cmap::cell_size, height / cmap::cell_size))
            return false;
        if (target.nsp == 0)
            return fail("no spawn point (no cell has a marker from 1 to 8)");
        keep(width, height, sky);
        load_pictures();
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

    bool read_sky(float sky[6])
    {
        const char* const parts[6] = {"the top red",    "the top green",    "the top blue",
                                      "the bottom red", "the bottom green", "the bottom blue"};
        for (int i = 0; i < 6; i++)
            if (!read_float(parts[i], &sky[i]))
                return false;
        return true;
    }

    bool read_picture_counts()
    {
        for (int layer = 0; layer < 2; layer++) {
            char what[48];
            std::snprintf(what, sizeof what, "the number of %s pictures", layer_names[layer]);
            if (!read_int(what, &counts[layer]))
                return false;
            if (counts[layer] < 0 || counts[layer] > cmap::max_pictures)
                return fail("%d %s pictures; a layer has 0 to %d", counts[layer],
                            layer_names[layer], cmap::max_pictures);
        }
        return true;
    }

    bool read_picture_names(int layer)
    {
        for (int k = 0; k < counts[layer]; k++) {
            if (!next_word())
                return fail("the file ends before the name of %s picture %d", layer_names[layer],
                            k + 1);
            if (word_length > max_picture_name)
                return fail("the name of %s picture %d is longer than %zu characters: \"%s\"",
                            layer_names[layer], k + 1, max_picture_name, shown_word().c_str());
            std::strcpy(names[layer][k], word);
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
        const int fields[2] = {code / 100 % 100, code / 10000};
        for (int layer = 0; layer < 2; layer++)
            if (fields[layer] > counts[layer])
                return fail("the cell at column %d, row %d names %s picture %d, but the layer has %d",
                            column, row, layer_names[layer], fields[layer], counts[layer]);
        int marker = code % 100;
        if (marker >= 1 && marker <= 8) {
            if (target.nsp == cmap::max_spawns)
                return fail("more than %d spawn points (one more at column %d, row %d)",
                            cmap::max_spawns, column, row);
            target.spx[target.nsp] = column * cmap::cell_size;
            target.spy[target.nsp] = row * cmap::cell_size;
            target.nsp++;
        }
        target.cells[column][row] = code;
        return true;
    }

    void keep(int width, int height, const float sky[6])
    {
        target.width = width;
        target.height = height;
        target.top_r = unit_interval(sky[0]);
        target.top_g = unit_interval(sky[1]);
        target.top_b = unit_interval(sky[2]);
        target.bottom_r = unit_interval(sky[3]);
        target.bottom_g = unit_interval(sky[4]);
        target.bottom_b = unit_interval(sky[5]);
        target.build_backdrop();
        // Centred; on a map smaller than the screen the scroll is negative.
        target.xs = width / 2 - 960;
        target.ys = height / 2 - 540;
    }

    // A picture that fails to load stays missing and is never drawn.
    void load_pictures()
    {
        int failed = 0;
        std::string first_failure;
        for (int layer = 0; layer < 2; layer++) {
            for (int k = 0; k < counts[layer]; k++) {
                std::string path = std::string(picture_folder) + names[layer][k];
                target.tile_bitmaps[layer][k] = al_load_bitmap(path.c_str());
                if (!target.tile_bitmaps[layer][k] && failed++ == 0)
                    first_failure = path;
            }
        }
        if (failed == 1)
            std::snprintf(target.warning, sizeof target.warning, "%s: cannot load %s", file_name,
                          first_failure.c_str());
        else if (failed > 1)
            std::snprintf(target.warning, sizeof target.warning,
                          "%s: cannot load %s and %d more pictures", file_name,
                          first_failure.c_str(), failed - 1);
    }

    __attribute__((format(printf, 2, 3))) bool fail(const char* format, ...)
    {
        char reason[200];
        va_list arguments;
        va_start(arguments, format);
        std::vsnprintf(reason, sizeof reason, format, arguments);
        va_end(arguments);
        return target.refuse("%s: %s", file_name, reason);
    }

    cmap& target;
    std::streambuf* source;
    const char* file_name;
    char word[max_word + 1] = {};
    size_t word_length = 0;
    int counts[2] = {0, 0};
    char names[2][cmap::max_pictures][max_picture_name + 1] = {};
};

bool cmap::read_file(const char* path)
{
    std::ifstream file(path);
    bool accepted = file.is_open() ? read(file, path) : refuse("%s: cannot open the file", path);
    print_messages();
    return accepted;
}

bool cmap::read(std::istream& in, const char* file_name)
{
    clear();
    error[0] = '\0';
    return map_reader(*this, in, file_name).read();
}

void cmap::deinit()
{
    for (auto& layer : tile_bitmaps) {
        for (ALLEGRO_BITMAP*& picture : layer) {
            if (picture)
                al_destroy_bitmap(picture);
            picture = nullptr;
        }
    }
}

void cmap::clear()
{
    deinit();
    width = 0;
    height = 0;
    nsp = 0;
    xs = 0;
    ys = 0;
    top_r = top_g = top_b = 0;
    bottom_r = bottom_g = bottom_b = 0;
    build_backdrop();
    warning[0] = '\0';
}

bool cmap::refuse(const char* format, ...)
{
    clear();
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(error, sizeof error, format, arguments);
    va_end(arguments);
    return false;
}

void cmap::print_messages() const
{
    if (error[0] != '\0')
        std::fprintf(stderr, "ZK3: %s\n", error);
    if (warning[0] != '\0')
        std::fprintf(stderr, "ZK3: %s\n", warning);
}

void cmap::build_backdrop()
{
    const ALLEGRO_COLOR top = al_map_rgb_f(top_r, top_g, top_b);
    const ALLEGRO_COLOR bottom = al_map_rgb_f(bottom_r, bottom_g, bottom_b);
    // The y values follow the scroll and are set on every draw.
    backdrop[0] = {0, 0, 0, 0, 0, top};
    backdrop[1] = {1920, 0, 0, 0, 0, top};
    backdrop[2] = {1920, 0, 0, 0, 0, bottom};
    backdrop[3] = {0, 0, 0, 0, 0, bottom};
}

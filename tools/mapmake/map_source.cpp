// Reading a map source and writing the map file it describes.
#include "map_source.h"

#include <map>
#include <sstream>

#include "map/cmap.h"
#include "map/map_file.h"

namespace {

const char air = '.';
const int spawn_kinds = 8;

// Waypoint characters that are no spawn point: kinds 10..16 act as 2..8.
const std::map<char, int> waypoint_kinds = {
    {'^', 10}, {'>', 11}, {'<', 12}, {'/', 13}, {'~', 14}, {'\\', 15}, {'?', 16},
};

int marker_of(char c)
{
    if (c >= '1' && c <= '0' + spawn_kinds)
        return c - '0';
    auto found = waypoint_kinds.find(c);
    return found == waypoint_kinds.end() ? 0 : found->second;
}

class source_reader {
public:
    source_reader(std::istream& input, map_source& result) : in(input), out(result) {}

    bool read()
    {
        if (!read_header() || !read_grid(walls, "backs") || !read_grid(backs, ""))
            return false;
        if (walls.empty())
            return fail("the layout has no rows");
        if (backs.size() != walls.size())
            return fail("the back layout has " + std::to_string(backs.size()) + " rows, the layout "
                        + std::to_string(walls.size()));
        out.columns = static_cast<int>(walls[0].size());
        out.rows = static_cast<int>(walls.size());
        if (out.columns > cmap::max_columns || out.rows > cmap::max_rows)
            return fail("the map is larger than " + std::to_string(cmap::max_columns) + " x "
                        + std::to_string(cmap::max_rows) + " cells");
        return make_codes();
    }

    const std::string& error() const { return message; }

private:
    bool fail(const std::string& why)
    {
        message = "line " + std::to_string(line_number) + ": " + why;
        return false;
    }

    bool next_line(std::string& line)
    {
        if (!std::getline(in, line))
            return false;
        line_number++;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }

    bool read_header()
    {
        std::string line;
        bool have_sky = false;
        while (next_line(line)) {
            std::istringstream words(line);
            std::string keyword;
            if (!(words >> keyword) || keyword[0] == '#')
                continue;
            if (keyword == "layout")
                return have_sky ? true : fail("no sky line before the layout");
            if (keyword == "sky") {
                for (float& part : out.sky)
                    if (!(words >> part) || part < 0 || part > 1)
                        return fail("a sky line needs six numbers from 0 to 1");
                have_sky = true;
            } else if (keyword == "wall" || keyword == "back") {
                if (!read_picture(words, keyword == "wall"))
                    return false;
            } else {
                return fail("unknown keyword \"" + keyword + "\"");
            }
        }
        return fail("no layout line");
    }

    bool read_picture(std::istringstream& words, bool wall)
    {
        std::string symbol, name;
        if (!(words >> symbol >> name) || symbol.size() != 1)
            return fail("a picture line is: wall|back <character> <file name>");
        char c = symbol[0];
        std::map<char, int>& pictures = wall ? wall_symbols : back_symbols;
        std::vector<std::string>& names = wall ? out.wall_pictures : out.back_pictures;
        if (c == air || pictures.count(c) || (wall && marker_of(c) != 0))
            return fail(std::string("the character '") + c + "' is taken");
        if (names.size() == static_cast<size_t>(cmap::max_pictures))
            return fail("more than " + std::to_string(cmap::max_pictures) + " pictures in a layer");
        names.push_back(name);
        pictures[c] = static_cast<int>(names.size());
        return true;
    }

    // Rows up to the line `end` (or the end of the file when `end` is empty).
    bool read_grid(std::vector<std::string>& grid, const std::string& end)
    {
        std::string line;
        while (next_line(line)) {
            if (!end.empty() && line == end)
                return true;
            if (line.empty())
                continue;
            if (!grid.empty() && line.size() != grid[0].size())
                return fail("a row of " + std::to_string(line.size()) + " cells after rows of "
                            + std::to_string(grid[0].size()));
            grid.push_back(line);
        }
        return end.empty() ? true : fail("no \"" + end + "\" line after the layout");
    }

    bool make_codes()
    {
        int spawns = 0;
        for (int row = 0; row < out.rows; row++) {
            for (int column = 0; column < out.columns; column++) {
                char w = walls[static_cast<size_t>(row)][static_cast<size_t>(column)];
                char b = backs[static_cast<size_t>(row)][static_cast<size_t>(column)];
                const int wall = find(wall_symbols, w);
                const int marker = marker_of(w);
                const int back = find(back_symbols, b);
                if (w != air && wall == 0 && marker == 0)
                    return cell_fail(row, column, std::string("unknown character '") + w + "'");
                if (b != air && back == 0)
                    return cell_fail(row, column, std::string("unknown back character '") + b + "'");
                if (marker >= 1 && marker <= spawn_kinds && ++spawns > cmap::max_spawns)
                    return cell_fail(row, column, "more than " + std::to_string(cmap::max_spawns)
                                                      + " spawn points");
                out.codes.push_back(wall * 10000 + back * 100 + marker);
            }
        }
        return true;
    }

    static int find(const std::map<char, int>& symbols, char c)
    {
        auto found = symbols.find(c);
        return found == symbols.end() ? 0 : found->second;
    }

    bool cell_fail(int row, int column, const std::string& why)
    {
        message = "cell at column " + std::to_string(column) + ", row " + std::to_string(row) + ": "
                  + why;
        return false;
    }

    std::istream& in;
    map_source& out;
    int line_number = 0;
    std::string message;
    std::map<char, int> wall_symbols;
    std::map<char, int> back_symbols;
    std::vector<std::string> walls;
    std::vector<std::string> backs;
};

std::string joined(const std::vector<std::string>& names)
{
    std::string line;
    for (const std::string& name : names)
        line += (line.empty() ? "" : " ") + name;
    return line;
}

}  // namespace

bool read_map_source(std::istream& in, map_source& out, std::string& error)
{
    out = map_source();
    source_reader reader(in, out);
    if (reader.read())
        return true;
    error = reader.error();
    return false;
}

std::string map_file_text(const map_source& source)
{
    const std::string back = joined(source.back_pictures);
    const std::string wall = joined(source.wall_pictures);
    const char* const picture_lines[2] = {back.c_str(), wall.c_str()};
    const int picture_counts[2] = {static_cast<int>(source.back_pictures.size()),
                                   static_cast<int>(source.wall_pictures.size())};
    std::ostringstream text;
    write_map_file(text, source.columns * cmap::cell_size, source.rows * cmap::cell_size,
                   source.sky, picture_counts, picture_lines,
                   [&source](int column, int row) { return source.code(column, row); });
    return text.str();
}

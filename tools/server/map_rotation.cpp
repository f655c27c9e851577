#include "map_rotation.h"

#include <memory>
#include <sstream>

#include "map/map_file.h"
#include "match/match_limits.h"

namespace {

// The last part of a path: the map's file name.
std::string file_name(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Half a megabyte of cells: too much for the stack.
struct map_cells {
    cell_grid cells;
};

}  // namespace

bool check_map(const rotation_map& file, std::string& error)
{
    if (!is_map_name(file.name)) {
        error = file.name + ": not a map file name the game can send (at most " + std::to_string(max_map_name) +
                " letters, digits, '-', '_' or '.', ending in .zkm)";
        return false;
    }
    if (file.text.size() > max_map_text) {
        error = file.name + ": larger than the " + std::to_string(max_map_text >> 20) + " MB a match can send";
        return false;
    }
    std::istringstream in(file.text);
    map_header header;
    const auto grid = std::make_unique<map_cells>();
    return read_map_file(in, file.name.c_str(), header, grid->cells, error);
}

bool map_rotation::load(const std::vector<std::string>& paths, std::string& error)
{
    maps.clear();
    at = 0;
    for (const std::string& path : paths) {
        rotation_map file;
        file.name = file_name(path);
        if (!read_map_text(path, file.text)) {
            error = path + ": cannot read the file";
            return false;
        }
        if (!check_map(file, error))
            return false;
        maps.push_back(file);
    }
    if (maps.empty())
        error = "no map file given";
    return !maps.empty();
}

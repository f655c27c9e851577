#include "map_waypoints.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "map/map_file.h"
#include "routes/waypoint_placer.h"

namespace {

// Big enough for 480 x 270 cells; static, like the game's own map.
cell_grid cells;

const int marker_kinds = 100;
const int last_spawn_kind = 8;

int fail(const std::string& why)
{
    std::fprintf(stderr, "zk3_mapmake: %s\n", why.c_str());
    return 1;
}

bool same_file(const char* a, const char* b)
{
    std::error_code error_a, error_b;
    if (std::filesystem::equivalent(a, b, error_a))
        return true;
    const auto path_a = std::filesystem::weakly_canonical(a, error_a);
    const auto path_b = std::filesystem::weakly_canonical(b, error_b);
    return !error_a && !error_b && path_a == path_b;
}

std::string joined_names(const map_header& header, int layer)
{
    std::string line;
    for (int k = 0; k < header.picture_counts[layer]; k++)
        line += (k > 0 ? " " : "") + std::string(header.picture_names[layer][k]);
    return line;
}

// Writes `text` to "<path>.tmp", flushes it, and renames it over `path`.
bool replace_file(const std::string& path, const std::string& text, std::string& why)
{
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "w");
    if (!file) {
        why = temporary + ": " + std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        why = path + ": " + std::strerror(errno != 0 ? errno : EIO);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

int place_map_waypoints(const char* in_path, const char* out_path)
{
    if (same_file(in_path, out_path))
        return fail(std::string(out_path) + " is the map being read; write the placed map to another file");
    std::ifstream in(in_path);
    if (!in)
        return fail(std::string("cannot open ") + in_path);
    auto header = std::make_unique<map_header>();
    std::string error;
    // A map without spawn points is read all the same: the placer adds them.
    const bool read = read_map_file(in, in_path, *header, cells, error);
    if (!read && (header->nsp != 0 || error.find("no spawn point") == std::string::npos))
        return fail(error);

    const int columns = header->width / cmap::cell_size, rows = header->height / cmap::cell_size;
    std::vector<int> codes;
    codes.reserve(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    for (int column = 0; column < columns; column++)
        for (int row = 0; row < rows; row++)
            codes.push_back(cells[column][row]);
    std::string why;
    if (!place_waypoints(columns, rows, codes, why))
        return fail(std::string(in_path) + ": " + why);

    const std::string names[2] = {joined_names(*header, 0), joined_names(*header, 1)};
    const char* const lines[2] = {names[0].c_str(), names[1].c_str()};
    std::ostringstream text;
    write_map_file(text, header->width, header->height, header->sky, header->picture_counts, lines,
                   [&](int column, int row) { return codes[static_cast<std::size_t>(column * rows + row)]; });

    // What the game will make of it, before anything is written.
    std::istringstream written(text.str());
    auto check = std::make_unique<map_header>();
    if (!read_map_file(written, out_path, *check, cells, error))
        return fail("the game would refuse the placed map: " + error);
    if (!replace_file(out_path, text.str(), why))
        return fail("cannot write " + why);

    int waypoints = 0;
    for (int code : codes)
        waypoints += code % marker_kinds > last_spawn_kind;
    std::printf("%s: %d spawn points, %d waypoints\n", out_path, check->nsp, waypoints);
    return 0;
}

#include "replay/replay_list.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "match/match_shape.h"
#include "replay/replay_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string replay_extension = ".zkr";
const std::string map_extension = ".zkm";

bool ends_with(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// "2026-12-07 21:04:33" from a name the replay folder gave.
std::string when_of(const std::string& name)
{
    const std::string shape = "dddd-dd-dd_dd-dd-dd";
    if (name.size() < shape.size())
        return "";
    for (std::size_t i = 0; i < shape.size(); i++)
        if (shape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(name[i])) : name[i] != shape[i])
            return "";
    std::string when = name.substr(0, shape.size());
    when[10] = ' ';
    when[13] = when[16] = ':';
    return when;
}

replay_row row_of(const fs::path& path)
{
    replay_row row;
    row.path = path.string();
    row.name = path.filename().string();
    row.when = when_of(row.name);
    replay_data replay;
    if (!read_replay_file(row.path, replay, row.reason)) {
        if (row.reason.empty())
            row.reason = "cannot be read";
        return row;
    }
    row.map = replay.setup.map_name;
    if (ends_with(row.map, map_extension))
        row.map.resize(row.map.size() - map_extension.size());
    row.length = clock_text(replay.ticks);
    for (const human_look& human : replay.setup.humans) {
        row.looks.push_back({human.colors[0], human.colors[1], human.colors[2]});
        row.names.push_back(human.name);
    }
    return row;
}

}  // namespace

std::string clock_text(std::uint32_t ticks)
{
    const std::uint32_t seconds = ticks / ticks_a_second;
    char text[16];
    std::snprintf(text, sizeof text, "%u:%02u", seconds / 60, seconds % 60);
    return text;
}

std::vector<replay_row> list_replays(const std::string& folder)
{
    std::vector<fs::path> paths;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() > replay_extension.size() && ends_with(name, replay_extension) &&
            entry->is_regular_file(error))
            paths.push_back(entry->path());
    }
    std::sort(paths.begin(), paths.end(), [](const fs::path& a, const fs::path& b) {
        return replay_age(a.filename().string()) > replay_age(b.filename().string());
    });
    std::vector<replay_row> rows;
    for (const fs::path& path : paths)
        rows.push_back(row_of(path));
    return rows;
}

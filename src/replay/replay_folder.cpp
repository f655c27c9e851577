#include "replay/replay_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "app/user_folders.h"

namespace fs = std::filesystem;

namespace {

const std::string replay_extension = ".zkr";
const std::string map_extension = ".zkm";

bool ends_with(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// "2026-12-07_21-04-33_foundry", from the local time and the map's name.
std::string replay_stem(const std::string& map_name)
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    localtime_r(&now, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d_%H-%M-%S", &local);
    std::string map = map_name;
    if (ends_with(map, map_extension))
        map.resize(map.size() - map_extension.size());
    // The replay stays in the folder whatever the name holds.
    for (char& c : map)
        if (c == '/' || c == '\0')
            c = '_';
    return std::string(date) + "_" + map;
}

// The first of "<stem>.zkr", "<stem>-2.zkr", ... that is not there yet.
fs::path free_name(const fs::path& folder, const std::string& stem)
{
    fs::path name = folder / (stem + replay_extension);
    std::error_code error;
    for (int number = 2; fs::exists(name, error); number++)
        name = folder / (stem + "-" + std::to_string(number) + replay_extension);
    return name;
}

// Deletes the oldest replays beyond the newest `keep`. One that cannot be
// deleted only stays until the next save.
void keep_newest(const fs::path& folder, int keep)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() > replay_extension.size() && ends_with(name, replay_extension) &&
            entry->is_regular_file(error))
            names.push_back(name);
    }
    if (error || names.size() <= static_cast<std::size_t>(keep))
        return;
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return replay_age(a) < replay_age(b); });
    for (std::size_t i = 0; i + keep < names.size(); i++)
        fs::remove(folder / names[i], error);
}

}  // namespace

std::pair<std::string, unsigned long> replay_age(const std::string& name)
{
    const std::string stem = name.substr(0, name.size() - replay_extension.size());
    const std::size_t dash = stem.rfind('-');
    const std::string digits = dash == std::string::npos ? "" : stem.substr(dash + 1);
    if (digits.empty() || digits.size() > 9 || digits[0] == '0' ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return {stem, 1};
    return {stem.substr(0, dash), std::stoul(digits)};
}

std::string replay_folder()
{
    const std::string folder = data_folder();
    return folder.empty() ? "" : folder + "/replays";
}

bool save_replay(const replay_data& replay, const std::string& folder, int keep, std::string& path,
                 std::string& error)
{
    if (folder.empty()) {
        error = "no folder for replays: neither XDG_DATA_HOME nor HOME is set";
        return false;
    }
    std::error_code made;
    fs::create_directories(folder, made);
    if (made) {
        error = "cannot make the replay folder " + folder + " (" + made.message() + ")";
        return false;
    }
    const std::string bytes = pack_replay(replay);
    if (bytes.empty()) {
        error = "cannot pack the replay (zlib failed)";
        return false;
    }
    const fs::path name = free_name(folder, replay_stem(replay.setup.map_name));
    const fs::path temporary = fs::path(name).concat(".tmp");
    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
        }
        if (!out) {
            error = "cannot write " + temporary.string() + " (" + std::strerror(errno) + ")";
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code renamed;
    fs::rename(temporary, name, renamed);
    if (renamed) {
        error = "cannot rename " + temporary.string() + " to " + name.string() + " (" + renamed.message() +
                ")";
        fs::remove(temporary, ignored);
        return false;
    }
    // The replay just written is always kept.
    keep_newest(folder, std::max(keep, 1));
    path = name.string();
    return true;
}

bool read_replay_file(const std::string& path, replay_data& out, std::string& error)
{
    std::error_code failed;
    const auto size = fs::file_size(path, failed);
    if (failed) {
        error = "cannot read it (" + failed.message() + ")";
        return false;
    }
    // Bigger than any body could pack to: not worth reading.
    if (size > max_replay_body + (max_replay_body >> 6)) {
        error = "too big to be a replay file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(size, '\0');
    if (!in.read(&bytes[0], static_cast<std::streamsize>(size))) {
        error = "cannot read it";
        return false;
    }
    return unpack_replay(bytes, out, error);
}

bool load_replay(const std::string& path, replay_data& out, std::string& error)
{
    if (read_replay_file(path, out, error))
        return true;
    error = path + ": " + error;
    return false;
}

void keep_replay(const replay_data& replay)
{
    const int kept = 20;
    const std::string folder = replay_folder();
    std::string path, error;
    if (folder.empty())
        std::fprintf(stderr, "ZK3: no replay written: neither XDG_DATA_HOME nor HOME is set\n");
    else if (!save_replay(replay, folder, kept, path, error))
        std::fprintf(stderr, "ZK3: no replay written: %s\n", error.c_str());
}

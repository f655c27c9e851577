#include "frontend/settings_file.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/arguments.h"
#include "app/user_folders.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/player_name.h"

namespace fs = std::filesystem;

namespace {

// A whole decimal integer within [low, high], or false.
bool parse_int(const std::string& text, int low, int high, int& out)
{
    if (text.empty() || text.size() > 9)
        return false;
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        return false;
    }
    if (used != text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

bool parse_choice(const std::string& text, const char* yes, const char* no, bool& out)
{
    if (text != yes && text != no)
        return false;
    out = text == yes;
    return true;
}

// A map file name as the map list holds it: not empty, short enough, and
// naming a file of the map folder rather than a path.
bool parse_map(const std::string& text, std::string& out)
{
    if (text.empty() || text.size() > static_cast<std::size_t>(cmap::max_name_length) ||
        text.find('/') != std::string::npos)
        return false;
    out = text;
    return true;
}

bool parse_name(const std::string& text, std::string& out)
{
    if (!is_player_name(text))
        return false;
    out = text;
    return true;
}

// An address as the network screen's field takes it, while the list has room.
bool parse_joined(const std::string& text, std::vector<std::string>& joined)
{
    std::string address;
    std::uint16_t port = 0;
    if (joined.size() >= kept_settings::most_joined || text.size() > most_join_text ||
        !read_join_address(text, address, port))
        return false;
    for (char c : text)
        if (!is_join_char(static_cast<unsigned char>(c)))
            return false;
    joined.push_back(text);
    return true;
}

// Applies one "key=value" pair; false if the key is unknown or the value bad.
bool apply(kept_settings& s, const std::string& key, const std::string& value)
{
    if (key == "bots")
        return parse_int(value, 1, 10, s.bots);
    if (key == "skill")
        return parse_int(value, 0, 2, s.skill);
    if (key == "hair")
        return parse_int(value, 0, 2, s.colors[0]);
    if (key == "shirt")
        return parse_int(value, 0, 5, s.colors[1]);
    if (key == "pants")
        return parse_int(value, 0, 5, s.colors[2]);
    if (key == "map")
        return parse_map(value, s.map);
    if (key == "frame_counter")
        return parse_choice(value, "on", "off", s.show_fps);
    if (key == "display")
        return parse_choice(value, "fullscreen", "windowed", s.fullscreen);
    if (key == "name")
        return parse_name(value, s.name);
    if (key == "host_port")
        return parse_int(value, 1, 65535, s.host_port);
    if (key == "joined")
        return parse_joined(value, s.joined);
    return false;
}

}  // namespace

bool kept_settings::operator==(const kept_settings& o) const
{
    return bots == o.bots && skill == o.skill && colors[0] == o.colors[0] && colors[1] == o.colors[1] &&
           colors[2] == o.colors[2] && map == o.map && show_fps == o.show_fps && fullscreen == o.fullscreen &&
           name == o.name && host_port == o.host_port && joined == o.joined;
}

std::string settings_path()
{
    const std::string folder = config_folder();
    return folder.empty() ? "" : folder + "/settings.txt";
}

kept_settings read_settings(std::istream& in, const std::string& where, std::ostream& errors)
{
    kept_settings settings;
    std::string line;
    for (int number = 1; std::getline(in, line); number++) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        std::size_t equals = line.find('=');
        if (equals == std::string::npos || !apply(settings, line.substr(0, equals), line.substr(equals + 1)))
            errors << "zk3: " << where << ":" << number << ": ignoring \"" << line.substr(0, 60)
                   << "\"; that setting keeps its default\n";
    }
    return settings;
}

void write_settings(std::ostream& out, const kept_settings& s)
{
    out << "bots=" << s.bots << "\n"
        << "skill=" << s.skill << "\n"
        << "map=" << s.map << "\n"
        << "hair=" << s.colors[0] << "\n"
        << "shirt=" << s.colors[1] << "\n"
        << "pants=" << s.colors[2] << "\n"
        << "frame_counter=" << (s.show_fps ? "on" : "off") << "\n"
        << "display=" << (s.fullscreen ? "fullscreen" : "windowed") << "\n";
    if (!s.name.empty())
        out << "name=" << s.name << "\n";
    out << "host_port=" << s.host_port << "\n";
    for (const std::string& address : s.joined)
        out << "joined=" << address << "\n";
}

kept_settings load_settings_file(const std::string& path, std::ostream& errors)
{
    std::error_code error;
    if (!fs::exists(path, error))
        return kept_settings();
    std::ifstream in;
    if (!fs::is_directory(path, error))
        in.open(path, std::ios::binary);
    if (!in.is_open()) {
        errors << "zk3: cannot read " << path << "; using the default settings\n";
        return kept_settings();
    }
    return read_settings(in, path, errors);
}

bool save_settings_file(const std::string& path, const kept_settings& settings, std::ostream& errors)
{
    const std::string temporary = path + ".tmp";
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            write_settings(out, settings);
            out.close();
        }
        if (!out) {
            errors << "zk3: cannot write " << temporary << "; the settings are not saved\n";
            fs::remove(temporary, error);
            return false;
        }
    }
    fs::rename(temporary, path, error);
    if (error) {
        errors << "zk3: cannot replace " << path << " (" << error.message() << "); the settings are not saved\n";
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

void load_settings()
{
    const std::string path = settings_path();
    if (path.empty())
        return;
    kept_settings kept = load_settings_file(path, std::cerr);
    if (!options.restore(kept))
        std::cerr << "zk3: the map \"" << kept.map << "\" is no longer in zkm/; choosing the first map\n";
}

void save_settings()
{
    const std::string path = settings_path();
    if (path.empty())
        std::cerr << "zk3: neither XDG_CONFIG_HOME nor HOME is set; the settings are not saved\n";
    else
        save_settings_file(path, options.get_kept(), std::cerr);
}

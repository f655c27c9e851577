// The player's match settings kept between runs, in a small text file of
// "key=value" lines in the user's configuration folder. A missing file means
// the defaults; a bad line or value costs only that setting, with one line on
// standard error. Nothing here ever stops the game.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// What is kept: the settings that shape a match and the display mode.
struct kept_settings {
    int bots = 3;
    int skill = 1;
    int colors[3] = {0, 0, 3};
    std::string map;  // the map's file name, e.g. "foundry.zkm"; "" the first map
    bool show_fps = false;
    bool fullscreen = true;
    std::string name;  // the player's name (player_name.h); "" none chosen yet
    int host_port = 27960;
    // The last addresses joined from the network screen, newest first, as
    // typed ("HOST" or "HOST:PORT"); one "joined=" line each.
    std::vector<std::string> joined;
    static constexpr std::size_t most_joined = 5;

    bool operator==(const kept_settings& other) const;
};

// "$XDG_CONFIG_HOME/zk3/settings.txt", else "$HOME/.config/zk3/settings.txt";
// "" when neither variable is set.
std::string settings_path();

// Reads settings from `in`; each missing key keeps its default, and each bad
// line or value is named on `errors` (with `where` in front) and skipped.
kept_settings read_settings(std::istream& in, const std::string& where, std::ostream& errors);
void write_settings(std::ostream& out, const kept_settings& settings);

// Reads the file at `path`, silently giving the defaults if there is none.
kept_settings load_settings_file(const std::string& path, std::ostream& errors);
// Writes `path` through a temporary file beside it, renamed over the old one,
// making the folder first. False, with one line on `errors`, if it cannot.
bool save_settings_file(const std::string& path, const kept_settings& settings, std::ostream& errors);

// The game's own entry points: from the settings file to `options` at
// start-up, and back on leaving the options screen.
void load_settings();
void save_settings();

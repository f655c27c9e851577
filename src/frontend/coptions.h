// The match settings and the display scale. The same object is the options
// screen; the settings are kept between runs by settings_file.h.
#pragma once

#include <string>
#include <vector>

#include <allegro5/allegro_primitives.h>

#include "app/press_latch.h"

struct kept_settings;

class coptions {
public:
    coptions();

    // The screen: entered from the menu, left by its back button.
    void init();
    void update();
    void draw();

    int get_bots() const { return bots; }
    int get_level() const { return level; }
    int get_skill() const { return skill; }
    bool get_fps() const { return show_fps; }
    bool get_quit() const { return quit; }
    int color(int i) const { return colors[i]; }
    int get_antialiasing() const { return antialiasing; }
    int get_kills() const { return kills; }
    const char* get_map_name() const { return map_name; }
    // The player's name: the login's until one is chosen.
    const std::string& get_player_name() const { return player_name; }
    void set_player_name(const std::string& name);
    // The network screen's: the port to host on, the last addresses joined.
    int get_host_port() const { return host_port; }
    void set_host_port(int port) { host_port = port; }
    const std::vector<std::string>& get_joined() const { return joined; }
    // Puts `address` first in the list, once, keeping the newest five.
    void remember_joined(const std::string& address);
    // The display mode chosen on the screen, and the one the display has.
    bool get_fullscreen() const { return fullscreen; }
    bool get_display_fullscreen() const { return display_fullscreen; }
    void set_antialiasing(int samples) { antialiasing = samples; }
    // For tests and benchmarks that need a given number of bots (1..10).
    void set_bots(int count) { bots = count < 1 ? 1 : count > 10 ? 10 : count; }
    // For tests and the headless runner: 0 HARD, 1 MEDIUM, 2 EASY.
    void set_skill(int value) { skill = value < 0 ? 0 : value > 2 ? 2 : value; }

    // The settings kept between runs. `restore` finds the map by its file
    // name in the map list and returns false when it is no longer listed,
    // choosing the first map instead; values out of range are clamped.
    kept_settings get_kept() const;
    bool restore(const kept_settings& kept);

    // Display pixels per logical unit; 1 when there is no display (headless).
    static float scale_x();
    static float scale_y();

private:
    // One press on the arrow `arrow` (0..3, left to right) of row `row` (0..4).
    void press_arrow(int row, int arrow);
    void press_back();
    void fill_map_name();

    int antialiasing = -1;          // samples of the current display; -1 none
    int bots = 3;                   // 1..10
    int colors[3] = {0, 0, 3};      // hair 0..2, shirt 0..5, pants 0..5
    int kills = 25;                 // 1..50, shown only
    int level = 0;                  // index into the map list
    int skill = 1;                  // 0 HARD, 1 MEDIUM, 2 EASY
    char map_name[17] = {};
    std::string player_name;
    int host_port = 27960;
    std::vector<std::string> joined;
    bool show_fps = false;
    bool fullscreen = true;         // chosen on the screen, pending until back
    bool display_fullscreen = true; // the mode the display was made in
    press_latch click;              // the left button
    bool quit = false;
    ALLEGRO_VERTEX backdrop[4];
};

extern coptions options;

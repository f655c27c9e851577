// The main menu, and the holder of the program's mode value.
#pragma once

#include <allegro5/allegro_primitives.h>

#include "app/press_latch.h"

// Mode values: what the program is doing, as the menu's choice.
enum mode_value {
    mode_windowed_display = -2,   // re-create the display as a window
    mode_fullscreen_display = -1, // re-create it as a full-screen window
    mode_start = 0,               // no display yet
    mode_menu = 1,
    mode_play = 2,
    mode_options = 3,
    mode_editor = 4,
    mode_credits = 5,
    mode_quit = 6,
    mode_replays = 7,
    mode_network = 8,
};

class cmenu {
public:
    cmenu();

    void init();
    void update();
    void draw();

    int get_choice() const { return choice; }
    void set_choice(int value) { choice = value; }

private:
    int choice = mode_start;
    press_latch click;  // the left button
    ALLEGRO_VERTEX backdrop[4];
};

extern cmenu menu;

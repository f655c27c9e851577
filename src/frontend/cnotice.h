// A message on the menu's backdrop until the player presses a key or clicks,
// e.g. why the chosen map cannot be played.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include "app/press_latch.h"

class cnotice {
public:
    static constexpr int max_lines = 12;
    static constexpr int line_length = 80;  // characters of the small font

    cnotice();

    // Takes the text, split into lines at spaces (or line breaks) so that
    // each fits the screen; text beyond max_lines lines is dropped.
    void init(const char* text);
    // Done on a key press or a left click that began after init.
    void update();
    void draw();

    bool get_done() const { return done; }
    int get_line_count() const { return line_count; }
    const char* get_line(int index) const { return lines[index]; }

private:
    void add_line(const char* start, int length);

    char lines[max_lines][line_length + 1] = {};
    int line_count = 0;
    bool done = false;
    ALLEGRO_KEYBOARD_STATE last_keys = {};
    press_latch click;  // the left button
    ALLEGRO_VERTEX backdrop[4];
};

// The credits: a fixed headline, and a name that fades in, stays and fades
// out on the menu's backdrop. Escape leaves (the mode loop tests it).
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

class ccredits {
public:
    ccredits();

    // Restarts the fade and hides the mouse cursor.
    void init();
    // Polls the keyboard for the mode loop's Escape test; advances the fade.
    void update();
    void draw();
    // Shows the mouse cursor again.
    void deinit();

    int get_fade() const { return fade; }
    // The name's opacity (0..255) at a fade value; 0 before it starts.
    static int name_alpha(int fade_value);

private:
    int fade = fade_start;
    ALLEGRO_VERTEX backdrop[4];

    static constexpr int fade_start = -200;  // one second of headline alone
};

extern ccredits credits;

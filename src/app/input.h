// Polling the keyboard and the mouse into the globals `keyboard` and `mouse`.
// Screens poll through here, so a test can script what the devices report.
#pragma once

#include <allegro5/allegro.h>

using keyboard_source = void (*)(ALLEGRO_KEYBOARD_STATE*);
using mouse_source = void (*)(ALLEGRO_MOUSE_STATE*);

void poll_keyboard();
void poll_mouse();

// Starts the devices afresh with every key and button up. A display made
// while a button is held never hears its release (the window that would
// have received it is gone), and the library would report the button down
// until the next click, which would then be swallowed.
void reset_input();

// Replaces the real devices (nullptr puts the real device back).
void set_input_sources(keyboard_source keys, mouse_source pointer);

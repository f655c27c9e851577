// Polling the keyboard and the mouse into the globals `keyboard` and `mouse`.
// Screens poll through here, so a test can script what the devices report.
//
// Polling alone loses a press that begins and ends between two polls (a
// quick click while a slow frame is drawn). So the devices' events are also
// queued, apart from the timer's queue, and each poll reads a key or button
// pressed since the last poll as down for that poll; two such presses read
// as down, up, down over three polls. Holding reads as before.
//
// Typing needs characters as the keyboard's layout makes them, not keys:
// the same queue keeps each character typed (and each key a text field
// acts on) until a field takes them, so a slow frame loses none.
#pragma once

#include <vector>

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

// The queues that remember presses between polls: started after the devices
// are installed, stopped before the library shuts down.
void start_press_memory();
void stop_press_memory();

// Drops the presses not yet polled, so that a key pressed on one screen
// does not act on the next.
void forget_presses();

// One key as typed: the character the layout made of it (0 for none), the
// key's code and the modifiers held (ALLEGRO_KEYMOD_*).
struct typed_key {
    int unichar = 0;
    int keycode = 0;
    unsigned modifiers = 0;
};

// The keys typed since the last call, oldest first; the keyboard's queue is
// read first. At most `most_typed_keys` wait; more are dropped.
std::vector<typed_key> take_typed_keys();
const std::size_t most_typed_keys = 256;

// A key-down or button-down event, to count at the next poll; and the
// release of Shift or Ctrl held at the last poll, which then reads down
// once more, so that a chord made and let go between two polls is whole.
// A typed character (a key-char event) is kept for take_typed_keys.
// Other events are passed over. The queues feed it; tests call it to press
// between polls.
void remember_input(const ALLEGRO_EVENT& input);
// Whether the last poll of its device found this key or button press held,
// and so counted it: the queues pass such a press over.
bool seen_by_last_read(const ALLEGRO_EVENT& press);

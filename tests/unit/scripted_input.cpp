#include "scripted_input.h"

#include <cstring>

#include "app/input.h"

namespace scripted_input {

namespace {

ALLEGRO_KEYBOARD_STATE keys;
ALLEGRO_MOUSE_STATE pointer;

void read_keys(ALLEGRO_KEYBOARD_STATE* state) { *state = keys; }
void read_pointer(ALLEGRO_MOUSE_STATE* state) { *state = pointer; }

}  // namespace

void install()
{
    std::memset(&keys, 0, sizeof keys);
    std::memset(&pointer, 0, sizeof pointer);
    set_input_sources(read_keys, read_pointer);
}

void uninstall()
{
    set_input_sources(nullptr, nullptr);
}

void set_key(int keycode, bool down)
{
    // The state's bit set is the library's own layout: one bit per key code.
    unsigned int bit = 1u << (keycode % 32);
    unsigned int& word = keys.__key_down__internal__[keycode / 32];
    word = down ? (word | bit) : (word & ~bit);
}

void set_pointer(int x, int y)
{
    pointer.x = x;
    pointer.y = y;
}

void set_button(int button, bool down)
{
    int bit = 1 << (button - 1);
    pointer.buttons = down ? (pointer.buttons | bit) : (pointer.buttons & ~bit);
}

}  // namespace scripted_input

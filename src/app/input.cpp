#include "app/input.h"

#include <cstring>

#include "app/shell.h"

namespace {

keyboard_source keyboard_reader = nullptr;
mouse_source mouse_reader = nullptr;

}  // namespace

void poll_keyboard()
{
    if (keyboard_reader)
        keyboard_reader(&keyboard);
    else if (al_is_keyboard_installed())
        al_get_keyboard_state(&keyboard);
    else
        std::memset(&keyboard, 0, sizeof keyboard);
}

void poll_mouse()
{
    if (mouse_reader)
        mouse_reader(&mouse);
    else if (al_is_mouse_installed())
        al_get_mouse_state(&mouse);
    else
        std::memset(&mouse, 0, sizeof mouse);
}

void reset_input()
{
    if (al_is_mouse_installed()) {
        al_uninstall_mouse();
        al_install_mouse();
    }
    if (al_is_keyboard_installed()) {
        al_uninstall_keyboard();
        al_install_keyboard();
    }
    std::memset(&keyboard, 0, sizeof keyboard);
    std::memset(&mouse, 0, sizeof mouse);
}

void set_input_sources(keyboard_source keys, mouse_source pointer)
{
    keyboard_reader = keys;
    mouse_reader = pointer;
}

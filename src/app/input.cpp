#include "app/input.h"

#include <bitset>
#include <cstring>

#include "app/shell.h"

namespace {

keyboard_source keyboard_reader = nullptr;
mouse_source mouse_reader = nullptr;

// One queue per device, so that a screen that polls only one of them
// leaves the other's presses for the screen that reads it.
ALLEGRO_EVENT_QUEUE* key_queue = nullptr;
ALLEGRO_EVENT_QUEUE* button_queue = nullptr;

std::bitset<ALLEGRO_KEY_MAX> keys_pressed;
int buttons_pressed = 0;
int press_x = 0;  // where the last remembered button went down, in display pixels
int press_y = 0;

void drain(ALLEGRO_EVENT_QUEUE* presses)
{
    ALLEGRO_EVENT next;
    while (presses && al_get_next_event(presses, &next))
        remember_press(next);
}

// The state's bit set is the library's own layout: one bit per key code.
void set_key_down(ALLEGRO_KEYBOARD_STATE& state, int keycode)
{
    state.__key_down__internal__[keycode / 32] |= 1u << (keycode % 32);
}

void listen_to_devices()
{
    if (key_queue && al_is_keyboard_installed())
        al_register_event_source(key_queue, al_get_keyboard_event_source());
    if (button_queue && al_is_mouse_installed())
        al_register_event_source(button_queue, al_get_mouse_event_source());
}

}  // namespace

void poll_keyboard()
{
    if (keyboard_reader)
        keyboard_reader(&keyboard);
    else if (al_is_keyboard_installed())
        al_get_keyboard_state(&keyboard);
    else
        std::memset(&keyboard, 0, sizeof keyboard);
    drain(key_queue);
    for (int keycode = 0; keycode < ALLEGRO_KEY_MAX; keycode++)
        if (keys_pressed[static_cast<size_t>(keycode)])
            set_key_down(keyboard, keycode);
    keys_pressed.reset();
}

void poll_mouse()
{
    if (mouse_reader)
        mouse_reader(&mouse);
    else if (al_is_mouse_installed())
        al_get_mouse_state(&mouse);
    else
        std::memset(&mouse, 0, sizeof mouse);
    drain(button_queue);
    const int missed = buttons_pressed & ~mouse.buttons;
    if (missed) {
        // A click acts where it was made, not where the pointer went after.
        mouse.buttons |= missed;
        mouse.x = press_x;
        mouse.y = press_y;
    }
    buttons_pressed = 0;
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
    // The devices' new event sources; the old ones left the queues with them.
    listen_to_devices();
    forget_presses();
    std::memset(&keyboard, 0, sizeof keyboard);
    std::memset(&mouse, 0, sizeof mouse);
}

void set_input_sources(keyboard_source keys, mouse_source pointer)
{
    keyboard_reader = keys;
    mouse_reader = pointer;
    forget_presses();
}

void start_press_memory()
{
    key_queue = al_create_event_queue();
    button_queue = al_create_event_queue();
    listen_to_devices();
}

void stop_press_memory()
{
    for (ALLEGRO_EVENT_QUEUE** presses : {&key_queue, &button_queue}) {
        if (*presses)
            al_destroy_event_queue(*presses);
        *presses = nullptr;
    }
    forget_presses();
}

void forget_presses()
{
    for (ALLEGRO_EVENT_QUEUE* presses : {key_queue, button_queue})
        if (presses)
            al_flush_event_queue(presses);
    keys_pressed.reset();
    buttons_pressed = 0;
}

void remember_press(const ALLEGRO_EVENT& press)
{
    if (press.type == ALLEGRO_EVENT_KEY_DOWN) {
        if (press.keyboard.keycode > 0 && press.keyboard.keycode < ALLEGRO_KEY_MAX)
            keys_pressed.set(static_cast<size_t>(press.keyboard.keycode));
    } else if (press.type == ALLEGRO_EVENT_MOUSE_BUTTON_DOWN) {
        if (press.mouse.button >= 1 && press.mouse.button <= 16) {
            buttons_pressed |= 1 << (press.mouse.button - 1);
            press_x = press.mouse.x;
            press_y = press.mouse.y;
        }
    }
}

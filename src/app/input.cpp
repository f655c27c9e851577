#include "app/input.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <deque>

#include "app/shell.h"

namespace {

keyboard_source keyboard_reader = nullptr;
mouse_source mouse_reader = nullptr;

// One queue per device, so that a screen that polls only one of them
// leaves the other's presses for the screen that reads it.
ALLEGRO_EVENT_QUEUE* key_queue = nullptr;
ALLEGRO_EVENT_QUEUE* button_queue = nullptr;

// What a poll needs to know of one key or button besides the device's state.
struct press_memory {
    int pending = 0;         // presses since the last poll not yet read
    bool read_down = false;  // how the last poll read it
    bool let_go = false;     // Shift or Ctrl let go since the last poll, which read it down
};

const int most_buttons = 16;
const size_t most_pending_clicks = 16;

struct click_place {
    int x, y;
};

std::array<press_memory, ALLEGRO_KEY_MAX> keys;
std::array<press_memory, most_buttons> buttons;
std::array<std::deque<click_place>, most_buttons> click_places;  // where the pending presses went down
std::vector<typed_key> typed;

// When each device was last read, and what the read found down: a press
// queued before then that the read found held was counted by it.
double keys_read_at = 0;
double buttons_read_at = 0;
ALLEGRO_KEYBOARD_STATE keys_seen{};
int buttons_seen = 0;

// Whether a key or button reads as down at this poll: while it is held,
// and for one poll for each press made and let go since the last. Between
// two presses one poll reads up, so that a screen's latch lets go before
// the next press. `used_press` says whether a pending press was read.
bool read_down(press_memory& memory, bool down_now, bool& used_press)
{
    used_press = false;
    bool down = false;
    if (memory.read_down && memory.pending > 0) {
        down = false;  // let go and pressed again since the last poll
    } else if (down_now || memory.pending > 0) {
        down = true;
        used_press = memory.pending > 0;  // a hold stands for its own press
        if (used_press)
            memory.pending--;
    } else {
        down = memory.let_go;
    }
    memory.let_go = false;
    memory.read_down = down;
    return down;
}

bool modifier(int keycode)
{
    return keycode >= ALLEGRO_KEY_LSHIFT && keycode <= ALLEGRO_KEY_RCTRL;
}

// Feeds the queue's events to the memory, but for the presses the last
// read of the device counted already.
void drain(ALLEGRO_EVENT_QUEUE* presses)
{
    ALLEGRO_EVENT next;
    while (presses && al_get_next_event(presses, &next))
        if (!seen_by_last_read(next))
            remember_input(next);
}

// The state's bit set is the library's own layout: one bit per key code.
void set_key(ALLEGRO_KEYBOARD_STATE& state, int keycode, bool down)
{
    const unsigned int bit = 1u << (keycode % 32);
    unsigned int& word = state.__key_down__internal__[keycode / 32];
    word = down ? (word | bit) : (word & ~bit);
}

void listen_to_devices()
{
    if (key_queue && al_is_keyboard_installed())
        al_register_event_source(key_queue, al_get_keyboard_event_source());
    if (button_queue && al_is_mouse_installed())
        al_register_event_source(button_queue, al_get_mouse_event_source());
}

}  // namespace

bool seen_by_last_read(const ALLEGRO_EVENT& press)
{
    if (press.type == ALLEGRO_EVENT_KEY_DOWN) {
        const int keycode = press.keyboard.keycode;
        return press.any.timestamp <= keys_read_at && keycode > 0 && keycode < ALLEGRO_KEY_MAX &&
               al_key_down(&keys_seen, keycode);
    }
    if (press.type == ALLEGRO_EVENT_MOUSE_BUTTON_DOWN) {
        const int button = static_cast<int>(press.mouse.button);
        return press.any.timestamp <= buttons_read_at && button >= 1 && button <= most_buttons &&
               (buttons_seen & (1 << (button - 1))) != 0;
    }
    return false;
}

// The queues are read before the device. A press made in between and
// still held is seen by the device now, and not counted again at the next
// poll; one made and let go before the device was read (this thread held
// up meanwhile) is not seen by it, and counts at the next poll.
void poll_keyboard()
{
    drain(key_queue);
    if (keyboard_reader)
        keyboard_reader(&keyboard);
    else if (al_is_keyboard_installed())
        al_get_keyboard_state(&keyboard);
    else
        std::memset(&keyboard, 0, sizeof keyboard);
    keys_read_at = al_get_time();
    keys_seen = keyboard;
    bool used_press = false;
    for (int keycode = 1; keycode < ALLEGRO_KEY_MAX; keycode++)
        set_key(keyboard, keycode, read_down(keys[keycode], al_key_down(&keyboard, keycode), used_press));
}

void poll_mouse()
{
    drain(button_queue);
    if (mouse_reader)
        mouse_reader(&mouse);
    else if (al_is_mouse_installed())
        al_get_mouse_state(&mouse);
    else
        std::memset(&mouse, 0, sizeof mouse);
    buttons_read_at = al_get_time();
    buttons_seen = mouse.buttons;
    for (int button = 0; button < most_buttons; button++) {
        const int bit = 1 << button;
        const bool held = (mouse.buttons & bit) != 0;
        bool used_press = false;
        const bool down = read_down(buttons[button], held, used_press);
        std::deque<click_place>& places = click_places[button];
        if (used_press && !places.empty()) {
            // A click acts where it was made, not where the pointer went after.
            if (!held) {
                mouse.x = places.front().x;
                mouse.y = places.front().y;
            }
            places.pop_front();
        }
        mouse.buttons = down ? (mouse.buttons | bit) : (mouse.buttons & ~bit);
    }
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

void set_input_sources(keyboard_source keys_source, mouse_source pointer_source)
{
    keyboard_reader = keys_source;
    mouse_reader = pointer_source;
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
    keys.fill({});
    buttons.fill({});
    for (std::deque<click_place>& places : click_places)
        places.clear();
    typed.clear();
}

std::vector<typed_key> take_typed_keys()
{
    drain(key_queue);
    std::vector<typed_key> taken;
    taken.swap(typed);
    return taken;
}

void remember_input(const ALLEGRO_EVENT& input)
{
    if (input.type == ALLEGRO_EVENT_KEY_CHAR) {
        if (typed.size() < most_typed_keys)
            typed.push_back({input.keyboard.unichar, input.keyboard.keycode, input.keyboard.modifiers});
        return;
    }
    if (input.type == ALLEGRO_EVENT_KEY_DOWN || input.type == ALLEGRO_EVENT_KEY_UP) {
        const int keycode = input.keyboard.keycode;
        if (keycode <= 0 || keycode >= ALLEGRO_KEY_MAX)
            return;
        press_memory& memory = keys[static_cast<size_t>(keycode)];
        if (input.type == ALLEGRO_EVENT_KEY_DOWN)
            memory.pending++;
        else if (modifier(keycode) && memory.read_down)
            memory.let_go = true;  // held at the last poll: down once more, for a chord made meanwhile
    } else if (input.type == ALLEGRO_EVENT_MOUSE_BUTTON_DOWN) {
        const int button = static_cast<int>(input.mouse.button) - 1;
        if (button < 0 || button >= most_buttons)
            return;
        buttons[static_cast<size_t>(button)].pending++;
        std::deque<click_place>& places = click_places[static_cast<size_t>(button)];
        if (places.size() < most_pending_clicks)
            places.push_back({input.mouse.x, input.mouse.y});
    }
}

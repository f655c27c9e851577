#include "frontend/cnotice.h"

#include <cstring>

#include "app/input.h"
#include "app/logical_screen.h"
#include "app/shell.h"
#include "app/text.h"
#include "frontend/backdrop.h"

namespace {

const char hint[] = "PRESS A KEY OR CLICK TO GO BACK";
const int line_spacing = 30;
const int hint_gap = 60;

bool any_new_key(const ALLEGRO_KEYBOARD_STATE& now, const ALLEGRO_KEYBOARD_STATE& before)
{
    for (int key = 1; key < ALLEGRO_KEY_MAX; key++) {
        // al_key_down takes a non-const state but only reads it.
        if (al_key_down(const_cast<ALLEGRO_KEYBOARD_STATE*>(&now), key)
            && !al_key_down(const_cast<ALLEGRO_KEYBOARD_STATE*>(&before), key))
            return true;
    }
    return false;
}

}  // namespace

cnotice::cnotice()
{
    make_backdrop(backdrop);
}

void cnotice::add_line(const char* start, int length)
{
    if (line_count == max_lines)
        return;
    std::memcpy(lines[line_count], start, length);
    lines[line_count][length] = '\0';
    line_count++;
}

void cnotice::init(const char* text)
{
    line_count = 0;
    done = false;
    const char* rest = text;
    while (*rest != '\0' && line_count < max_lines) {
        int length = 0;
        int cut = -1;  // the last space or line break that ends a fitting line
        while (rest[length] != '\0' && rest[length] != '\n' && length < line_length) {
            if (rest[length] == ' ')
                cut = length;
            length++;
        }
        bool overflows = rest[length] != '\0' && rest[length] != '\n' && rest[length] != ' ';
        if (overflows && cut > 0)
            length = cut;
        add_line(rest, length);
        rest += length;
        if (*rest == ' ' || *rest == '\n')
            rest++;
    }

    // Whatever is held now (the click that chose the item) must not end the notice.
    poll_keyboard();
    poll_mouse();
    last_keys = keyboard;
    click.pressed(mouse.buttons & 1);  // only learns what is held now
}

void cnotice::update()
{
    poll_keyboard();
    poll_mouse();
    const bool clicked = click.pressed(mouse.buttons & 1);
    if (any_new_key(keyboard, last_keys) || clicked)
        done = true;
    last_keys = keyboard;
}

void cnotice::draw()
{
    draw_backdrop(backdrop);
    const int top = logical_height / 2 - (line_count * line_spacing + hint_gap) / 2;
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    for (int i = 0; i < line_count; i++)
        draw_text(white, lines[i], centred_x(lines[i], false), top + i * line_spacing, false);
    draw_text(al_map_rgb(160, 160, 160), hint, centred_x(hint, false),
              top + line_count * line_spacing + hint_gap, false);
    show_frame();
}

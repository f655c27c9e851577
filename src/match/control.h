// What a human's controls read on one tick, as the match step sees them: the
// keys and buttons the fighter acts on and the pointer. The live match fills
// it from the keyboard and the mouse; a replay fills it from its recording.
#pragma once

#include <cstdint>

#include "match/match_shape.h"

// The keys a fighter's control reads, one bit each.
enum control_key : std::uint16_t {
    key_jump = 1 << 0,         // W
    key_left = 1 << 1,         // A
    key_right = 1 << 2,        // D
    key_slow_motion = 1 << 3,  // E
    key_reload = 1 << 4,       // R
    key_weapon_1 = 1 << 5,     // 1..4: the gun for the next life
    key_weapon_2 = 1 << 6,
    key_weapon_3 = 1 << 7,
    key_weapon_4 = 1 << 8,
};
const std::uint16_t all_control_keys = (1 << 9) - 1;

enum control_button : std::uint8_t {
    button_fire = 1 << 0,   // the left button
    button_throw = 1 << 1,  // the right button
};
const std::uint8_t all_control_buttons = 3;

struct control_reading {
    std::uint16_t keys = 0;
    std::uint8_t buttons = 0;
    // The pointer in display pixels, and the display's pixels per logical
    // unit: the step divides one by the other, exactly as the live game did.
    std::int32_t pointer_x = 0;
    std::int32_t pointer_y = 0;
    float scale_x = 1;
    float scale_y = 1;

    bool key(control_key which) const { return (keys & which) != 0; }
    bool button(control_button which) const { return (buttons & which) != 0; }
    // The pointer in logical screen units.
    float screen_x() const { return static_cast<float>(pointer_x) / scale_x; }
    float screen_y() const { return static_cast<float>(pointer_y) / scale_y; }

    bool operator==(const control_reading& other) const
    {
        return keys == other.keys && buttons == other.buttons && pointer_x == other.pointer_x &&
               pointer_y == other.pointer_y && scale_x == other.scale_x && scale_y == other.scale_y;
    }
    bool operator!=(const control_reading& other) const { return !(*this == other); }
};

// Each fighter slot's controls for the coming step, as a replay or the
// network supplies them; only the humans' slots are read.
extern control_reading controls[max_players];
// The slot whose controls are read from the keyboard and mouse as last
// polled, at the moment the step reads them; -1 when every slot is supplied.
extern int device_slot;

// The slot of the player at this screen, whose crosshair follows the mouse
// as it is now though their controls may act some ticks later (a network
// match's); -1 when no one's does (a replay).
extern int aiming_slot;

// The keyboard and mouse as last polled, as one reading.
control_reading read_devices();
// What slot's controls read now: the devices' or the supplied reading.
control_reading control_of(int slot);
// Where `slot`'s crosshair is drawn: the mouse for the player at this
// screen, else the pointer its controls read. Only drawing asks this.
control_reading aim_of(int slot);

#include "random_hand.h"

namespace {

const int longest_hold = 60;  // ticks before the hand changes its mind

}  // namespace

std::uint32_t random_hand::draw(std::uint32_t below)
{
    // A 32-bit linear congruential generator: plenty for a random hand.
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % below;
}

control_reading random_hand::next()
{
    if (hold_ticks-- > 0) {
        // The pointer keeps moving a little while the keys are held.
        held.pointer_x += static_cast<int>(draw(21)) - 10;
        held.pointer_y += static_cast<int>(draw(21)) - 10;
        return held;
    }
    hold_ticks = static_cast<int>(draw(longest_hold));
    held.keys = 0;
    switch (draw(3)) {
    case 0: held.keys |= key_left; break;
    case 1: held.keys |= key_right; break;
    default: break;
    }
    if (draw(4) == 0)
        held.keys |= key_jump;
    if (draw(8) == 0)
        held.keys |= static_cast<std::uint16_t>(key_weapon_1 << draw(4));
    held.buttons = 0;
    if (draw(2) == 0)
        held.buttons |= button_fire;
    else if (draw(6) == 0)
        held.buttons |= button_throw;
    held.pointer_x = static_cast<int>(draw(1920));
    held.pointer_y = static_cast<int>(draw(1080));
    return held;
}

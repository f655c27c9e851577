#include "match/control.h"

#include "app/shell.h"
#include "frontend/coptions.h"

control_reading controls[max_players];
int device_slot = 0;
int aiming_slot = 0;

namespace {

struct key_binding {
    int keycode;
    control_key key;
};

const key_binding bindings[] = {
    {ALLEGRO_KEY_W, key_jump},         {ALLEGRO_KEY_A, key_left},     {ALLEGRO_KEY_D, key_right},
    {ALLEGRO_KEY_E, key_slow_motion},  {ALLEGRO_KEY_R, key_reload},   {ALLEGRO_KEY_1, key_weapon_1},
    {ALLEGRO_KEY_2, key_weapon_2},     {ALLEGRO_KEY_3, key_weapon_3}, {ALLEGRO_KEY_4, key_weapon_4},
};

}  // namespace

control_reading read_devices()
{
    control_reading reading;
    for (const key_binding& binding : bindings)
        if (al_key_down(&keyboard, binding.keycode))
            reading.keys |= binding.key;
    if (al_mouse_button_down(&mouse, 1))
        reading.buttons |= button_fire;
    if (al_mouse_button_down(&mouse, 2))
        reading.buttons |= button_throw;
    reading.pointer_x = mouse.x;
    reading.pointer_y = mouse.y;
    reading.scale_x = coptions::scale_x();
    reading.scale_y = coptions::scale_y();
    return reading;
}

control_reading control_of(int slot)
{
    if (slot == device_slot)
        return read_devices();
    return slot >= 0 && slot < max_players ? controls[slot] : control_reading{};
}

control_reading aim_of(int slot)
{
    return slot == aiming_slot ? read_devices() : control_of(slot);
}

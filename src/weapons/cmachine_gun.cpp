#include "weapons/cmachine_gun.h"

#include "app/assets.h"
#include "match/sound_at.h"

namespace {

const gun_numbers machine_gun = {
    1,         // type
    25,        // magazine
    0.1f,      // reload rate
    0,         // first delay
    7, 7,      // cool-down after a shot: human, bot
    false,     // a pull during the cool-down does nothing
    {16, 6},   // pivot facing right
    {16, 28},  // pivot facing left
    // The shot: one bullet, up to 0.05 off the aim.
    1,          // bullets
    10,         // power
    41,         // spread draws
    0.41, 34,   // muzzle: offset, distance
    1.6, 13,    // casing: offset, distance
    false,      // a cartridge case
    smachine_gun,// the sound pair
};

}  // namespace

cmachine_gun::cmachine_gun(int new_owner) : cbweapon(machine_gun, new_owner)
{
    make_sounds(sounds, smachine_gun);
}

void cmachine_gun::draw()
{
    draw_picture(bmachine_gun);
}

// Each shot cuts off the last one's sound.
void cmachine_gun::shot_sound()
{
    restart_sound_at(sounds, smachine_gun, x, y);
}

void cmachine_gun::stop()
{
    destroy_sounds(sounds);
}

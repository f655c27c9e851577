#include "weapons/cmachine_gun.h"

#include "app/assets.h"

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

void cmachine_gun::stop()
{
    destroy_sounds(sounds);
}

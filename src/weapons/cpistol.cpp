#include "weapons/cpistol.h"

#include "app/assets.h"

namespace {

const gun_numbers pistol = {
    0,       // type
    7,       // magazine
    0.05f,   // reload rate
    0,       // first delay
    2, 20,   // cool-down after a shot: human, bot
    true,    // a pull during the cool-down re-arms it: one shot per press
    {3, 9},  // pivot facing right
    {3, 4},  // pivot facing left
    // The shot: one bullet exactly along the aim.
    1,          // bullets
    20,         // power
    0,          // spread draws
    -0.22, 38,  // muzzle: offset, distance
    -0.32, 25,  // casing: offset, distance
    false,      // a cartridge case
    spistol,    // the sound pair
};

}  // namespace

cpistol::cpistol(int new_owner) : cbweapon(pistol, new_owner) {}

void cpistol::draw()
{
    draw_picture(bpistol);
}

#include "weapons/cshotgun.h"

#include "app/assets.h"

namespace {

const gun_numbers shotgun = {
    2,         // type
    5,         // magazine
    0.02f,     // reload rate
    0,         // first delay
    100, 100,  // cool-down after a shot: human, bot
    false,     // a pull during the cool-down does nothing
    {16, 6},   // pivot facing right
    {16, 23},  // pivot facing left
    // The shot: five pellets, each up to 0.075 off the aim.
    5,          // bullets
    15,         // power
    61,         // spread draws
    0.35, 41,   // muzzle: offset, distance
    0.85, 19,   // casing: offset, distance
    true,       // a shotgun shell
    sshotgun,   // the sound pair
};

}  // namespace

cshotgun::cshotgun(int new_owner) : cbweapon(shotgun, new_owner) {}

void cshotgun::draw()
{
    draw_picture(bshotgun);
}

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
};

}  // namespace

cshotgun::cshotgun(int new_owner) : cbweapon(shotgun, new_owner) {}

void cshotgun::draw()
{
    draw_picture(bshotgun);
}

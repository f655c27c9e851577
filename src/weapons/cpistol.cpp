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
};

}  // namespace

cpistol::cpistol(int new_owner) : cbweapon(pistol, new_owner) {}

void cpistol::draw()
{
    draw_picture(bpistol);
}

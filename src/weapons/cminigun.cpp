#include "weapons/cminigun.h"

#include "app/assets.h"
#include "match/sound_at.h"
#include "match/cgame.h"

namespace {

// Its delay doubles as the barrel's spin: at rest it takes this long to fire.
const float barrel_at_rest = 100;
const float barrel_pictures = 3;

const gun_numbers minigun = {
    3,               // type
    75,              // magazine
    0.2f,            // reload rate
    barrel_at_rest,  // first delay
    5, 5,            // cool-down after a shot: human, bot
    false,           // a pull during the cool-down only spins the barrel
    {16, 6},         // pivot facing right
    {16, 30},        // pivot facing left
    // The shot: one bullet, up to 0.05 off the aim.
    1,          // bullets
    5,          // power
    41,         // spread draws
    0.3, 69,    // muzzle: offset, distance
    1.15, 24,   // casing: offset, distance
    false,      // a cartridge case
    sminigun,   // the sound pair
};

}  // namespace

cminigun::cminigun(int new_owner) : cbweapon(minigun, new_owner)
{
    make_sounds(sounds, sminigun);
}

void cminigun::draw()
{
    draw_picture(bminigun[static_cast<int>(frame)]);
}

// Each shot cuts off the last one's sound.
void cminigun::shot_sound()
{
    restart_sound_at(sounds, sminigun, x, y);
}

void cminigun::stop()
{
    destroy_sounds(sounds);
}

// Spin and cool-down run even while the magazine refills.
void cminigun::update()
{
    follow_owner();
    turn_barrel();
    run_reload();
    if (trigger) {
        cool_down();
        shot();
    } else {
        spin_down();
    }
}

// Two ticks per picture at any spin speed; a barrel at rest keeps its picture.
void cminigun::turn_barrel()
{
    if (delay >= barrel_at_rest)
        return;
    float next = frame + 0.5f * game.slow();
    frame = next < barrel_pictures ? next : 0;
}

// Released, the barrel runs down one tick per tick, so a short release costs little.
void cminigun::spin_down()
{
    float s = game.slow();
    delay = delay + s < barrel_at_rest ? delay + s : barrel_at_rest;
}

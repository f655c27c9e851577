// What leaves a gun when a shot fires: its bullets, the muzzle flash, the
// casing and the sound. The four guns differ only in their numbers.
#include <cmath>
#include <cstdlib>

#include "effects/cfire.h"
#include "effects/cshell.h"
#include "match/pools.h"
#include "match/sound_at.h"
#include "weapons/cbullet.h"
#include "weapons/cbweapon.h"

namespace {

const double spread_step = 0.0025;
const double casing_throw = 2.09;  // backwards and upwards out of the gun

}  // namespace

void cbweapon::fire_shot()
{
    // Offsets turn with the aim about the pivot and change sign with the facing.
    const double side = dir ? -1 : 1;
    const double muzzle = angle + side * numbers.muzzle_offset;
    const float muzzle_x = static_cast<float>(x + numbers.muzzle_distance * std::cos(muzzle));
    const float muzzle_y = static_cast<float>(y + numbers.muzzle_distance * std::sin(muzzle));

    // Every pellet starts at the muzzle; a full pool drops only the bullets.
    start_in_free_slots(bullets, numbers.bullets, [&](cbullet& bullet, int) {
        bullet.init(muzzle_x, muzzle_y, bullet_direction(), numbers.power, owner);
    });

    if (cfire* flash = first_free(fire))
        flash->init(muzzle_x, muzzle_y, angle);

    if (cshell* casing = first_free(shells)) {
        const double at = angle + side * numbers.casing_offset;
        const float casing_x = static_cast<float>(x + numbers.casing_distance * std::cos(at));
        const float casing_y = static_cast<float>(y + numbers.casing_distance * std::sin(at));
        const float direction = static_cast<float>(angle - side * casing_throw);
        casing->init(casing_x, casing_y, direction, numbers.shotgun_shell);
    }

    shot_sound();
}

// The spread is drawn only for a bullet that has a slot to leave in.
float cbweapon::bullet_direction() const
{
    const int draws = numbers.spread_draws;
    if (draws == 0)
        return angle;
    return static_cast<float>(angle + (std::rand() % draws - draws / 2) * spread_step);
}

void cbweapon::shot_sound()
{
    play_sound_at(numbers.sound, x, y);
}

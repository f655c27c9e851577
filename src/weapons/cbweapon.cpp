#include "weapons/cbweapon.h"

#include <algorithm>
#include <cmath>

#include "app/sound.h"
#include "fighters/cplayer.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

// The gun's pivot is the fighter's shoulder; facing left it sits one unit further right.
const float shoulder_x = 19;
const float shoulder_y = 22;

}  // namespace

cbweapon::cbweapon(const gun_numbers& gun, int new_owner) : numbers(gun)
{
    ammo = gun.magazine;
    delay = gun.first_delay;
    owner = new_owner;
    type = gun.type;
}

float cbweapon::get_ammo()
{
    // The last refill may overshoot the magazine by a fraction until the next tick clamps it.
    return std::min(ammo / numbers.magazine, 1.0f);
}

float cbweapon::get_delay()
{
    return delay;
}

int cbweapon::get_type()
{
    return type;
}

bool cbweapon::get_reloading()
{
    return reloading;
}

void cbweapon::reload()
{
    // The cartridges left are thrown away; a full magazine or a running reload is left alone.
    if (ammo < numbers.magazine && !reloading) {
        ammo = 0;
        reloading = true;
    }
}

void cbweapon::shoot()
{
    trigger = true;
}

void cbweapon::update()
{
    follow_owner();
    // The cool-down waits while the magazine refills and resumes where it stopped.
    if (reloading)
        run_reload();
    else
        cool_down();
    if (trigger)
        shot();
}

void cbweapon::follow_owner()
{
    const cplayer& fighter = players[owner];
    angle = fighter.get_angle();
    dir = fighter.get_dir();
    x = fighter.get_x() + shoulder_x + (dir ? 1 : 0);
    y = fighter.get_y() + shoulder_y;
}

void cbweapon::run_reload()
{
    if (!reloading)
        return;
    // The tick that finds the magazine full only clamps it.
    if (ammo < numbers.magazine) {
        ammo += numbers.reload_rate * game.slow();
    } else {
        ammo = numbers.magazine;
        reloading = false;
    }
}

void cbweapon::cool_down()
{
    float s = game.slow();
    delay = delay > s ? delay - s : 0;
}

void cbweapon::shot()
{
    bool leaves = !reloading && delay == 0;
    if (leaves) {
        fire_shot();
        ammo -= 1;
        // An empty magazine starts its own reload; no cool-down is set then.
        if (ammo <= 0)
            reloading = true;
    }
    if (!reloading && (leaves || numbers.rearms))
        delay = owner == 0 ? numbers.human_delay : numbers.bot_delay;
    trigger = false;
}

void cbweapon::draw_picture(ALLEGRO_BITMAP* picture) const
{
    if (!picture)
        return;
    const float* pivot = dir ? numbers.pivot_left : numbers.pivot_right;
    al_draw_rotated_bitmap(picture, pivot[0], pivot[1], std::floor(x) - map.get_xs(),
                           std::floor(y) - map.get_ys(), angle, dir ? ALLEGRO_FLIP_VERTICAL : 0);
}

void cbweapon::make_sounds(ALLEGRO_SAMPLE_INSTANCE* (&sounds)[2], ALLEGRO_SAMPLE* const* pair)
{
    ALLEGRO_MIXER* mixer = audio_works ? al_get_default_mixer() : nullptr;
    for (int variant = 0; variant < 2; variant++) {
        sounds[variant] = nullptr;
        if (!mixer || !pair[variant])
            continue;
        sounds[variant] = al_create_sample_instance(pair[variant]);
        if (sounds[variant])
            al_attach_sample_instance_to_mixer(sounds[variant], mixer);
    }
}

void cbweapon::destroy_sounds(ALLEGRO_SAMPLE_INSTANCE* (&sounds)[2])
{
    // Both variants fall silent before either is destroyed.
    for (ALLEGRO_SAMPLE_INSTANCE* sound : sounds) {
        if (sound)
            al_stop_sample_instance(sound);
    }
    for (ALLEGRO_SAMPLE_INSTANCE*& sound : sounds) {
        if (sound)
            al_destroy_sample_instance(sound);
        sound = nullptr;
    }
}

#include "effects/cflame.h"

#include <algorithm>
#include <cstdlib>

#include "effects/sphere.h"
#include "match/cgame.h"
#include "match/pools.h"

namespace {

const float fire_life = 120;
const float smoke_life = 100;
const float largest_size = 100;

// A fire flame swells and brightens while its life is above this, then dies down.
const float fire_swell_until = 100;
const float fire_swell_alpha = 0.05f;
const float fire_swell_size = 5;
const float fire_fade_alpha = 0.01f;
const float fire_yellowing = 0.01f;
const float fire_shrink = 0.5f;
const float fire_smallest = 50;

// Halfway through its life a fire flame gives off one puff in three, once.
const float smoke_life_low = 49;
const float smoke_life_high = 51;
const float after_smoke_life = 48;
const int smoke_chance = 3;

// A puff darkens while its life is above this, then clears.
const float smoke_darken_until = 50;
const float smoke_alpha_step = 0.002f;
const float smoke_darkest = 0.1f;
const float smoke_growth = 1;

const float rise = 0.02f;  // every flame and puff accelerates upwards

// One of -0.2, -0.1, 0, 0.1, 0.2.
float drift()
{
    return (std::rand() % 5 - 2) / 10.0f;
}

}  // namespace

void cflame::init(float new_x, float new_y, float new_vx, float new_vy, bool new_smoke)
{
    alpha = 0;
    green = 0;
    size = 0;
    x = new_x;
    y = new_y;
    smoke = new_smoke;
    if (smoke) {
        life = smoke_life;
        vx = new_vx;
        vy = new_vy;
    } else {
        life = fire_life;
        vx = drift();
        vy = drift();
    }
}

void cflame::update()
{
    if (!active())
        return;
    const float s = game.slow();
    if (smoke)
        update_smoke(s);
    else
        update_fire(s);
    if (vx != 0 || vy != 0) {
        x += s * vx;
        y += s * vy;
    }
    life -= s;
    vy -= rise * s;
}

void cflame::update_smoke(float s)
{
    if (life > smoke_darken_until)
        alpha = std::min(alpha + smoke_alpha_step * s, smoke_darkest);
    else
        alpha = std::max(alpha - smoke_alpha_step * s, 0.0f);
    size = std::min(size + smoke_growth * s, largest_size);
}

void cflame::update_fire(float s)
{
    if (life > fire_swell_until) {
        alpha = std::min(alpha + fire_swell_alpha * s, 1.0f);
        size = std::min(size + fire_swell_size * s, largest_size);
        return;
    }
    alpha = std::max(alpha - fire_fade_alpha * s, 0.0f);
    green = std::min(green + fire_yellowing * s, 1.0f);
    size = std::max(size - fire_shrink * s, fire_smallest);
    if (life > smoke_life_low && life < smoke_life_high) {
        if (std::rand() % smoke_chance == 0)
            give_off_smoke();
        // Past the window at once, so the chance is taken only once per flame.
        life = after_smoke_life;
    }
}

void cflame::give_off_smoke()
{
    // A full pool simply gives no puff.
    if (cflame* puff = first_free(flames))
        puff->init(x, y, vx, vy, true);
}

void cflame::draw() const
{
    if (active())
        draw_sphere(smoke ? al_premul_rgba_f(0, 0, 0, alpha) : al_premul_rgba_f(1, green, 0, alpha), x, y, size);
}

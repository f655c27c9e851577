#include "effects/cparticle.h"

#include <cmath>
#include <cstdlib>

#include "app/assets.h"
#include "effects/walk.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

const float particle_life = 100;
const float fade_ticks = 50;   // fades out over its last ticks
const int speed_range = 101;   // speeds of -0.5..0.5 in hundredths

// Two units wide; gravity pulls while the row below it is free.
const speck_shape particle_shape = {2, 2};

float random_speed()
{
    return (std::rand() % speed_range - speed_range / 2) / 100.0f;
}

}  // namespace

void cparticle::init(float new_x, float new_y)
{
    life = particle_life;
    x = new_x;
    y = new_y;
    vx = random_speed();
    vy = random_speed();
}

void cparticle::set_motion(float new_vx, float new_vy)
{
    vx = new_vx;
    vy = new_vy;
}

void cparticle::update()
{
    if (!active())
        return;
    const float s = game.slow();
    life -= s;
    if (active() && !move_speck(x, y, vx, vy, s, particle_shape))
        life = 0;
}

void cparticle::draw() const
{
    if (!active() || !bparticle)
        return;
    const float left = std::floor(x) - map.get_xs();
    const float top = std::floor(y) - map.get_ys();
    if (life > fade_ticks)
        al_draw_bitmap(bparticle, left, top, 0);
    else
        al_draw_tinted_bitmap(bparticle, al_premul_rgba_f(1, 1, 1, life / fade_ticks), left, top, 0);
}

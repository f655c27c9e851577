#include "effects/csmoke.h"

#include <cstdlib>

#include "effects/sphere.h"
#include "match/cgame.h"

namespace {

const int life_range = 25;
const int shortest_life = 25;
const int speed_range = 11;  // speeds of -0.5..0.5 in tenths

const double burn = 0.4;   // life lost per tick
const double rise = 0.04;  // every puff accelerates upwards
// Life and size add up to this, and life in hundredths is the opacity.
const float full = 100;

float random_speed()
{
    return (std::rand() % speed_range - speed_range / 2) / 10.0f;
}

}  // namespace

void csmoke::init(float new_x, float new_y)
{
    life = static_cast<float>(std::rand() % life_range + shortest_life);
    x = new_x;
    y = new_y;
    vx = random_speed();
    vy = random_speed();
}

float csmoke::get_size() const
{
    return full - life;
}

void csmoke::update()
{
    if (!active())
        return;
    const float s = game.slow();
    life = static_cast<float>(life - burn * s);
    vy = static_cast<float>(vy - rise * s);
    if (active() && (vx != 0 || vy != 0)) {
        x += vx * s;
        y += vy * s;
    }
}

void csmoke::draw() const
{
    if (active())
        draw_sphere(al_premul_rgba_f(1, 1, 1, life / full), x, y, get_size());
}

#include "effects/cfire.h"

#include <cmath>

#include "app/assets.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

const float flash_life = 1;
// The middle of the picture's left edge sits on the muzzle, so the flash points along the aim.
const float pivot_x = 0;
const float pivot_y = 6;

}  // namespace

void cfire::init(float new_x, float new_y, float new_angle)
{
    angle = new_angle;
    life = flash_life;
    x = new_x;
    y = new_y;
}

void cfire::update()
{
    if (active())
        life -= game.slow();
}

void cfire::draw() const
{
    if (!active() || !bfire)
        return;
    al_draw_rotated_bitmap(bfire, pivot_x, pivot_y, std::floor(x) - map.get_xs(),
                           std::floor(y) - map.get_ys(), angle, 0);
}

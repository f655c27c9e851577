// A wall's reaction to a bullet hit: debris flies, the wall stays. Kept apart
// from the view so that the map reader's fuzzer links without the effect pools.
#include "map/cmap.h"

#include "effects/cparticle.h"
#include "match/pools.h"

namespace {

const int debris_per_hit = 15;

}  // namespace

void cmap::damage(int x, int y)
{
    start_in_free_slots(particles, debris_per_hit, [x, y](cparticle& particle, int) {
        particle.init(static_cast<float>(x), static_cast<float>(y));
    });
}

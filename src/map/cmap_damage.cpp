// A wall's reaction to a bullet hit: debris flies, the wall stays. Kept apart
// from the view so that the map reader's fuzzer links without the effect pools.
#include "map/cmap.h"

#include "effects/cparticle.h"

namespace {

const int debris_per_hit = 15;

}  // namespace

void cmap::damage(int x, int y)
{
    int started = 0;
    for (cparticle& particle : particles) {
        if (started == debris_per_hit)
            return;
        if (particle.active())
            continue;
        particle.init(static_cast<float>(x), static_cast<float>(y));
        started++;
    }
}

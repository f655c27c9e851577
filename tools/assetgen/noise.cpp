#include "noise.h"

#include <cmath>

namespace {

const int max_octaves = 4;

float smooth(float t) { return t * t * (3 - 2 * t); }

int wrap(int i, int n) { return ((i % n) + n) % n; }

}  // namespace

tiling_noise::tiling_noise(int cells_, float period_, std::uint32_t seed)
    : cells(cells_), period(period_)
{
    prng random(seed);
    // Octave k has cells << k lattice points per side.
    for (int k = 0; k < max_octaves; k++) {
        int n = cells << k;
        for (int i = 0; i < n * n; i++)
            values.push_back(random.uniform());
    }
}

float tiling_noise::lattice(int i, int j, int cells_now, int level) const
{
    std::size_t offset = 0;
    for (int k = 0; k < level; k++)
        offset += static_cast<std::size_t>((cells << k) * (cells << k));
    return values[offset + wrap(j, cells_now) * cells_now + wrap(i, cells_now)];
}

float tiling_noise::octave(float x, float y, int k) const
{
    int n = cells << k;
    float u = x / period * n, v = y / period * n;
    int i = static_cast<int>(std::floor(u)), j = static_cast<int>(std::floor(v));
    float fu = smooth(u - i), fv = smooth(v - j);
    float top = lattice(i, j, n, k) * (1 - fu) + lattice(i + 1, j, n, k) * fu;
    float bottom = lattice(i, j + 1, n, k) * (1 - fu) + lattice(i + 1, j + 1, n, k) * fu;
    return top * (1 - fv) + bottom * fv;
}

float tiling_noise::at(float x, float y) const { return octave(x, y, 0); }

float tiling_noise::layered(float x, float y, int octaves) const
{
    float sum = 0, weight = 0, amplitude = 1;
    for (int k = 0; k < octaves && k < max_octaves; k++) {
        sum += amplitude * octave(x, y, k);
        weight += amplitude;
        amplitude *= 0.5f;
    }
    return sum / weight;
}

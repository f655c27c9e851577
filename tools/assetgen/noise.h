// Seeded randomness for the generator: the same seed gives the same pictures
// and sounds on every run, so the build output never changes by itself.
#pragma once

#include <cstdint>
#include <vector>

// A small splitmix-style generator; one per picture or sound, seeded by hand.
class prng {
public:
    explicit prng(std::uint32_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}

    std::uint32_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
    }

    // Uniform in [0, 1).
    float uniform() { return (next() >> 8) * (1.0f / 16777216.0f); }
    float range(float low, float high) { return low + (high - low) * uniform(); }
    // Uniform integer in [0, n).
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint64_t state;
};

// Smooth value noise in 0..1 that repeats every `period` pixels in both
// directions, so tiles made from it join without a seam.
class tiling_noise {
public:
    tiling_noise(int cells, float period, std::uint32_t seed);

    float at(float x, float y) const;
    // Several octaves summed (each twice as fine), still in 0..1 and still tiling.
    float layered(float x, float y, int octaves) const;

private:
    float lattice(int i, int j, int cells_now, int level) const;
    float octave(float x, float y, int k) const;

    int cells;
    float period;
    std::vector<float> values;  // random lattice values, one table per octave
};

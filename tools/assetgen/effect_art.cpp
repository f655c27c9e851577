// Effects: blood, flesh, muzzle flash, casings, the soft sphere, debris.
//
// | picture           | size      | pivot / use                                          |
// |-------------------|-----------|------------------------------------------------------|
// | png/blood.png     | 4 x 4     | top-left 3 x 3 textures each drop, tinted dark red   |
// | png/flesh.png     | 12 x 12   | rotated about (6, 6)                                 |
// | png/fire.png      | 26 x 12   | rotated about (0, 6), the flash points right         |
// | png/shell_1.png   | 7 x 3     | cartridge case, rotated about (3, 1)                 |
// | png/shell_2.png   | 10 x 4    | shotgun shell, rotated about (3, 1)                  |
// | png/sphere.png    | 100 x 100 | soft white disc, tinted and scaled: flames and smoke |
// | png/particle.png  | 2 x 2     | wall debris, top-left corner at its position         |
#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "noise.h"
#include "registry.h"

namespace {

// White, so the drop colour the game gives each vertex shows unchanged; the
// rim is a touch darker and the corners soft, so a drop reads as round.
void paint_blood()
{
    pixels px;
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 3; x++) {
            int edges = (x != 1) + (y != 1);
            px.set(x, y, grey(1.0f - 0.1f * edges, edges == 2 ? 0.7f : 1.0f));
        }
}

// A torn lump, not a ball: uneven lobes of dark meat, a strip of fat and a
// splinter of bone, so a shower of them does not look like beads.
void paint_flesh()
{
    pixels px;
    paint wet = vertical_gradient(1, rgb8(186, 40, 42), 11, rgb8(80, 6, 10));
    fill(px, polygon({2, 5, 5, 2, 9, 2.5f, 10.5f, 6, 8, 10, 3.5f, 9.5f}), wet);
    fill(px, disc(8.3f, 8, 2.4f), rgb8(120, 14, 18));
    fill(px, disc(3.5f, 4.5f, 2), wet);
    fill(px, capsule(4, 3.6f, 7.5f, 3.2f, 0.7f), rgb8(236, 200, 170));  // fat
    fill(px, capsule(4, 8, 6.5f, 6.8f, 0.9f), rgb8(236, 224, 200));    // a splinter of bone
    fill(px, disc(8, 4.5f, 0.7f), rgb8(255, 160, 150));                // wet glint
    add_outline(px, rgba{0.16f, 0, 0, 0.95f});
}

// A white-hot core at the muzzle, a yellow tongue along the shot and two
// short prongs to the sides, going orange and see-through at the tips.
void paint_fire()
{
    pixels px;
    paint heat = [](float x, float y) {
        float reach = std::min(1.0f, std::hypot((x - 2) / 24, (y - 6) / 6));
        rgba c = reach < 0.5f ? mix(rgb8(255, 250, 210), rgb8(255, 214, 70), reach * 2)
                              : mix(rgb8(255, 214, 70), rgb8(255, 110, 16), (reach - 0.5f) * 2);
        return with_alpha(c, std::min(1.0f, 1.6f - 1.2f * reach));
    };
    fill(px, polygon({0, 3.5f, 12, 2.2f, 26, 6, 12, 9.8f, 0, 8.5f}), heat);  // tongue
    fill(px, polygon({4, 5, 14, 0, 9, 6}), heat);                               // prongs
    fill(px, polygon({4, 7, 9, 6, 14, 12}), heat);
    fill(px, ellipse(4.5f, 6, 4.5f, 2.6f), rgb8(255, 255, 236));                 // core
}

void paint_cartridge_case()
{
    pixels px;
    fill(px, box(0, 0, 7, 3, 0.6f), vertical_gradient(0, rgb8(255, 226, 130), 3, rgb8(160, 110, 30)));
    fill(px, box(0, 0, 1, 3), rgb8(150, 100, 30));  // rim
}

void paint_shotgun_shell()
{
    pixels px;
    fill(px, box(2.5f, 0.3f, 10, 3.7f, 0.8f), vertical_gradient(0, rgb8(230, 60, 50), 4, rgb8(120, 16, 16)));
    fill(px, box(0, 0, 3.5f, 4, 0.5f), vertical_gradient(0, rgb8(255, 226, 130), 4, rgb8(150, 104, 30)));
}

// Soft everywhere so scaled flames and smoke blend into each other; lumpy
// and ragged at the rim so a cluster of them billows instead of looking like
// a bead chain; brightest in the middle and darker towards the rim, so a
// tinted flame glows from within and a puff of smoke has body.
void paint_sphere()
{
    pixels px;
    tiling_noise cloud(5, 100, 31);
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++) {
            float r = std::hypot(x + 0.5f - 50, y + 0.5f - 50) / 50;
            if (r >= 1)
                continue;
            float t = std::max(0.0f, (r - 0.15f) / 0.85f);
            float falloff = 1 - t * t * (3 - 2 * t);
            float lumps = cloud.layered(static_cast<float>(x), static_cast<float>(y), 3);
            float alpha = std::min(1.0f, std::max(0.0f, falloff * 1.1f - 0.45f * t * (1 - lumps)));
            float light = 1 - 0.5f * std::pow(t, 1.3f) * (0.5f + 0.5f * (1 - lumps));
            px.set(x, y, grey(light, alpha));
        }
}

void paint_particle()
{
    pixels px;
    px.set(0, 0, rgb8(176, 166, 150));
    px.set(1, 0, rgb8(140, 130, 116));
    px.set(0, 1, rgb8(120, 112, 100));
    px.set(1, 1, rgb8(96, 90, 80));
}

}  // namespace

void add_effect_art()
{
    add_picture("png/blood.png", 4, 4, paint_blood);
    add_picture("png/flesh.png", 12, 12, paint_flesh);
    add_picture("png/fire.png", 26, 12, paint_fire);
    add_picture("png/shell_1.png", 7, 3, paint_cartridge_case);
    add_picture("png/shell_2.png", 10, 4, paint_shotgun_shell);
    add_picture("png/sphere.png", 100, 100, paint_sphere);
    add_picture("png/particle.png", 2, 2, paint_particle);
}

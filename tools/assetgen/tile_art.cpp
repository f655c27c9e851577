// Map tiles: 40 x 40, opaque, seamless when repeated (every pattern's period
// divides 40, and the noise tiles). Names and files are listed in tiles.h.
//
// | pictures               | size    | placed                                  |
// |------------------------|---------|-----------------------------------------|
// | png/wall_<name>.png    | 40 x 40 | top-left at the cell's corner, solid    |
// | png/back_<name>.png    | 40 x 40 | the same, behind walls: dark, quiet     |
//
// A new tile is one texel function below and one name in tiles.h.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "canvas.h"
#include "noise.h"
#include "registry.h"
#include "tiles.h"

namespace {

const int n = tile_size;
const float pi = 3.14159265f;

// The colour of one tile pixel.
using texel = std::function<rgba(int x, int y)>;

int wrap(int v) { return ((v % n) + n) % n; }

// A fixed random value per (i, j) cell of a pattern, such as one brick.
float cell_random(int i, int j, std::uint32_t seed)
{
    prng r(seed * 7919u + static_cast<std::uint32_t>(i) * 104729u + static_cast<std::uint32_t>(j) * 1299709u);
    return r.uniform();
}

rgba lit(rgba c, float f) { return darker(c, f); }

// ---- walls ----------------------------------------------------------------

texel brick(rgba base, rgba mortar, std::uint32_t seed)
{
    const tiling_noise grain(8, static_cast<float>(n), seed);
    return [=](int x, int y) {
        int row = y / 10, shift = row % 2 ? 10 : 0;
        int bx = wrap(x + shift), col = bx / 20;
        float fine = 0.88f + 0.24f * grain.layered(static_cast<float>(x), static_cast<float>(y), 3);
        if (y % 10 == 9 || bx % 20 == 19)
            return lit(mortar, fine);
        rgba c = lit(base, 0.86f + 0.28f * cell_random(col, row, seed));
        if (y % 10 == 0 || bx % 20 == 0)
            c = lit(c, 1.15f);  // the edge that catches the light
        if (y % 10 == 8 || bx % 20 == 18)
            c = lit(c, 0.8f);
        return lit(c, fine);
    };
}

texel concrete(rgba base, std::uint32_t seed)
{
    const tiling_noise blotch(4, static_cast<float>(n), seed);
    return [=](int x, int y) {
        float v = 0.82f + 0.3f * blotch.layered(static_cast<float>(x), static_cast<float>(y), 4);
        if (cell_random(x, y, seed) < 0.025f)
            v *= 0.7f;  // pits
        if (y % 20 == 0)
            v *= 0.9f;  // shuttering joints
        return lit(base, v);
    };
}

texel metal_plate()
{
    const tiling_noise brushed(4, static_cast<float>(n), 11);
    const rgba steel = rgb8(112, 118, 126);
    return [=](int x, int y) {
        float v = 0.9f + 0.15f * brushed.layered(static_cast<float>(x), y * 8.0f, 3);
        if (x == 0 || y == 0)
            v = 1.25f;
        else if (x == n - 1 || y == n - 1)
            v = 0.55f;
        for (int cx : {5, 34})
            for (int cy : {5, 34}) {
                float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
                if (d < 2.3f)
                    v = 1.3f - 0.25f * (x - cx + y - cy);  // rivet lit from the top left
                else if (d < 3.2f && x >= cx && y >= cy)
                    v *= 0.7f;
            }
        return lit(steel, v);
    };
}

texel planks(rgba base, std::uint32_t seed, bool upright)
{
    const tiling_noise grain(4, static_cast<float>(n), seed);
    return [=](int px, int py) {
        int x = upright ? py : px, y = upright ? px : py;
        int row = y / 8;
        float g = grain.layered(static_cast<float>(x), y * 5.0f + row * 7.0f, 4);
        rgba c = lit(base, 0.8f + 0.3f * cell_random(row, 0, seed) + 0.25f * (g - 0.5f));
        int joint = (row * 13 + 7) % n;
        if (y % 8 == 7 || x == joint)
            return lit(c, 0.45f);
        if (y % 8 == 0)
            c = lit(c, 1.12f);
        if ((x == wrap(joint + 3) || x == wrap(joint - 3)) && y % 8 == 3)
            return rgb8(60, 60, 64);  // nails beside each joint
        return c;
    };
}

// Cobbles: the nearest of nine jittered points, measured across the tile's
// edges so the pattern wraps.
texel cobbles(rgba base, std::uint32_t seed, float mortar_width)
{
    struct point {
        float x, y, tone;
    };
    std::vector<point> points;
    prng r(seed);
    for (int j = 0; j < 3; j++)
        for (int i = 0; i < 3; i++) {
            float x = (i + r.range(0.2f, 0.8f)) * n / 3, y = (j + r.range(0.2f, 0.8f)) * n / 3;
            points.push_back({x, y, r.range(0.8f, 1.15f)});
        }
    const tiling_noise grain(8, static_cast<float>(n), seed + 1);
    return [=](int x, int y) {
        float d1 = 1e9f, d2 = 1e9f, tone = 1;
        for (const point& p : points)
            for (int ox = -1; ox <= 1; ox++)
                for (int oy = -1; oy <= 1; oy++) {
                    float d = std::hypot(x + 0.5f - p.x - ox * n, y + 0.5f - p.y - oy * n);
                    if (d < d1) {
                        d2 = d1;
                        d1 = d;
                        tone = p.tone;
                    } else if (d < d2) {
                        d2 = d;
                    }
                }
        float fine = 0.9f + 0.2f * grain.layered(static_cast<float>(x), static_cast<float>(y), 3);
        if (d2 - d1 < mortar_width)
            return lit(base, 0.4f * fine);
        float rounded = 1.1f - 0.25f * std::min(1.0f, d1 / 12);
        return lit(base, tone * rounded * fine);
    };
}

texel grating()
{
    const rgba steel = rgb8(104, 108, 112);
    return [=](int x, int y) {
        int gx = x % 10, gy = y % 10;
        bool bar_x = gx < 3, bar_y = gy < 3;
        if (!bar_x && !bar_y)
            return gy == 3 || gx == 3 ? rgb8(16, 16, 18) : rgb8(30, 30, 34);  // shadowed holes
        float v = 1.0f;
        if (gx == 0 || gy == 0)
            v = 1.25f;
        if ((bar_x && gx == 2) || (bar_y && gy == 2))
            v = 0.7f;
        return lit(steel, v);
    };
}

texel rock(rgba base, std::uint32_t seed)
{
    const tiling_noise body(3, static_cast<float>(n), seed);
    const tiling_noise cracks(4, static_cast<float>(n), seed + 5);
    return [=](int x, int y) {
        float fx = static_cast<float>(x), fy = static_cast<float>(y);
        float v = 0.7f + 0.55f * body.layered(fx, fy, 4);
        float c = cracks.layered(fx, fy, 2);
        if (std::fabs(c - 0.5f) < 0.018f)
            v *= 0.5f;
        // Light from above: compare with the pixel above.
        v += 0.6f * (body.layered(fx, fy, 4) - body.layered(fx, fy - 1, 4));
        return lit(base, v);
    };
}

texel crate()
{
    const rgba wood = rgb8(150, 104, 56);
    const tiling_noise grain(4, static_cast<float>(n), 23);
    return [=](int x, int y) {
        float g = 0.85f + 0.3f * grain.layered(x * 6.0f, static_cast<float>(y), 3);
        bool frame = x < 4 || y < 4 || x >= n - 4 || y >= n - 4;
        float brace = std::fabs((x + 0.5f) + (y + 0.5f) - n) / std::sqrt(2.0f);
        if (frame) {
            if ((x == 2 || x == n - 3) && (y == 2 || y == n - 3))
                return rgb8(50, 50, 54);  // corner nails
            float edge = (x == 0 || y == 0) ? 1.2f : (x == n - 1 || y == n - 1) ? 0.55f : 1.0f;
            return lit(wood, g * edge * 0.9f);
        }
        if (brace < 3.2f)
            return lit(wood, g * (brace > 2.4f ? 0.6f : 1.05f));
        if (x % 8 == 3)
            return lit(wood, 0.5f);  // gaps between the boards
        return lit(wood, g * 0.8f);
    };
}

texel hazard()
{
    const tiling_noise wear(8, static_cast<float>(n), 29);
    return [=](int x, int y) {
        bool yellow = ((x + y) / 10) % 2 == 0;
        float w = wear.layered(static_cast<float>(x), static_cast<float>(y), 3);
        rgba c = yellow ? rgb8(226, 184, 30) : rgb8(30, 28, 26);
        if (w > 0.68f)
            c = mix(c, rgb8(120, 116, 110), 0.6f);  // paint worn down to the metal
        return lit(c, 0.9f + 0.2f * w);
    };
}

texel panel(rgba base, bool light)
{
    return [=](int x, int y) {
        float v = 1.0f;
        bool inset = x >= 6 && x < 34 && y >= 6 && y < 34;
        if (x == 0 || y == 0)
            v = 1.3f;
        else if (x == n - 1 || y == n - 1)
            v = 0.5f;
        else if (inset)
            v = (x == 6 || y == 6) ? 0.6f : (x == 33 || y == 33) ? 1.25f : 0.9f;
        if (light && x >= 29 && x < 32 && y >= 9 && y < 11)
            return rgb8(90, 230, 120);  // a status light
        if ((x == 3 || x == 36) && (y == 3 || y == 36))
            v = 0.45f;
        return lit(base, v);
    };
}

texel sandstone()
{
    const tiling_noise strata(4, static_cast<float>(n), 37);
    const rgba sand = rgb8(200, 170, 120);
    return [=](int x, int y) {
        int row = y / 20, shift = row % 2 ? 20 : 0;
        int bx = wrap(x + shift);
        if (y % 20 == 19 || bx == n - 1)
            return lit(sand, 0.55f);
        float s = strata.layered(x * 0.5f, y * 6.0f, 3);
        float v = 0.82f + 0.3f * s + 0.1f * cell_random(bx / 40, row, 37);
        if (y % 20 == 0 || bx == 0)
            v *= 1.12f;
        return lit(sand, v);
    };
}

// ---- backs ------------------------------------------------------------------

// A wall texel made dark and quiet: pulled towards its own mean colour.
texel dimmed(texel t, float level, float contrast)
{
    rgba mean = {0, 0, 0, 1};
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++) {
            rgba c = t(x, y);
            mean.r += c.r / (n * n);
            mean.g += c.g / (n * n);
            mean.b += c.b / (n * n);
        }
    return [=](int x, int y) { return lit(mix(mean, t(x, y), contrast), level); };
}

texel corrugated()
{
    const rgba steel = rgb8(52, 56, 62);
    return [=](int x, int y) {
        float wave = std::sin((x + 0.5f) * 2 * pi / 8);
        float v = 1.0f + 0.22f * wave;
        if (y == 19)
            v *= 0.7f;  // a seam halfway
        return lit(steel, v);
    };
}

texel pipes()
{
    const rgba wall = rgb8(40, 40, 44), pipe = rgb8(70, 74, 70);
    return [=](int x, int y) {
        auto cylinder = [&](float top, float bottom) {
            float t = (y + 0.5f - top) / (bottom - top);
            return 0.7f + 0.6f * std::sin(t * pi) - 0.25f * t;
        };
        if (y >= 8 && y < 18) {
            float v = cylinder(8, 18);
            if (x >= 18 && x < 22)
                v *= 1.15f;  // a flange
            return lit(pipe, v);
        }
        if (y >= 25 && y < 30)
            return lit(pipe, cylinder(25, 30) * 0.85f);
        float v = (y == 18 || y == 30) ? 0.6f : 1.0f;  // shadow below each pipe
        return lit(wall, v * (0.95f + 0.1f * cell_random(x / 4, y / 4, 41)));
    };
}

texel ashlar()
{
    const rgba stone = rgb8(58, 60, 70);
    const tiling_noise grain(8, static_cast<float>(n), 43);
    return [=](int x, int y) {
        int row = y / 20, bx = wrap(x + (row % 2 ? 10 : 0));
        float v = 0.9f + 0.15f * grain.layered(static_cast<float>(x), static_cast<float>(y), 3);
        v *= 0.92f + 0.16f * cell_random(bx / 20, row, 43);
        if (y % 20 == 19 || bx % 20 == 19)
            v *= 0.6f;
        return lit(stone, v);
    };
}

texel square_tiles()
{
    const rgba glaze = rgb8(44, 62, 66);
    return [=](int x, int y) {
        if (x % 10 == 9 || y % 10 == 9)
            return rgb8(30, 34, 34);
        float v = 0.92f + 0.12f * cell_random(x / 10, y / 10, 47);
        if (x % 10 == 1 && y % 10 == 1)
            v *= 1.3f;  // a glint on the glaze
        return lit(glaze, v);
    };
}

texel vent()
{
    const rgba metal = rgb8(50, 52, 56);
    return [=](int x, int y) {
        int slot = y % 5;
        if (x < 2 || x >= n - 2)
            return lit(metal, x < 2 ? 1.1f : 0.8f);
        if (slot == 0)
            return lit(metal, 1.2f);
        if (slot >= 3)
            return rgb8(18, 18, 20);
        return lit(metal, 0.95f);
    };
}

const std::map<std::string, texel>& wall_texels()
{
    static const std::map<std::string, texel> texels = {
        {"brick", brick(rgb8(150, 66, 46), rgb8(176, 170, 158), 3)},
        {"concrete", concrete(rgb8(128, 128, 124), 5)},
        {"metal", metal_plate()},
        {"wood", planks(rgb8(140, 94, 52), 13, false)},
        {"stone", cobbles(rgb8(132, 128, 120), 17, 1.6f)},
        {"grating", grating()},
        {"rock", rock(rgb8(116, 96, 76), 19)},
        {"crate", crate()},
        {"hazard", hazard()},
        {"panel", panel(rgb8(84, 100, 120), true)},
        {"sandstone", sandstone()},
    };
    return texels;
}

const std::map<std::string, texel>& back_texels()
{
    static const std::map<std::string, texel> texels = {
        {"brick", dimmed(brick(rgb8(120, 60, 46), rgb8(110, 104, 96), 53), 0.42f, 0.5f)},
        {"concrete", dimmed(concrete(rgb8(110, 112, 116), 59), 0.42f, 0.6f)},
        {"metal", corrugated()},
        {"wood", dimmed(planks(rgb8(120, 80, 46), 61, true), 0.45f, 0.55f)},
        {"stone", ashlar()},
        {"pipes", pipes()},
        {"rock", dimmed(rock(rgb8(100, 86, 72), 67), 0.45f, 0.55f)},
        {"tiles", square_tiles()},
        {"vent", vent()},
        {"panel", dimmed(panel(rgb8(70, 84, 100), false), 0.5f, 0.6f)},
    };
    return texels;
}

void add_tiles(const char* const* names, std::size_t count, const std::map<std::string, texel>& texels,
               std::string (*file)(const std::string&))
{
    for (std::size_t i = 0; i < count; i++) {
        auto found = texels.find(names[i]);
        picture_painter painter;  // stays empty, so the run fails, for a name without a texel
        if (found != texels.end()) {
            texel t = found->second;
            painter = [t] {
                pixels px;
                shade_pixels(px, [&t](int x, int y, rgba& c) { c = with_alpha(t(x, y), 1); });
            };
        }
        add_picture("png/" + file(names[i]), n, n, painter);
    }
}

}  // namespace

void add_tile_art()
{
    add_tiles(wall_tile_names, std::size(wall_tile_names), wall_texels(), wall_tile_file);
    add_tiles(back_tile_names, std::size(back_tile_names), back_texels(), back_tile_file);
}

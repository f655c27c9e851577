// Main menu pictures.
//
// | picture                     | size       | drawn at                 |
// |-----------------------------|------------|--------------------------|
// | png/menu_1.png (title)      | 1374 x 300 | (273, 37): ends at y 337 |
// | png/menu_2..6.png (items)   | 300 x 50   | (810, 367 + 75 k)        |
// | png/menu_7.png (REPLAYS)    | 145 x 40   | (964, 745), right of a pair |
// | png/menu_8.png (NETWORK)    | 145 x 40   | (810, 745), left of a pair  |
//
// The title sits centred on the 1920-wide screen above the items, over a
// black-to-dark-red backdrop, so it carries its own dark outline.
#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas.h"
#include "lettering.h"
#include "noise.h"
#include "registry.h"
#include "widgets.h"

namespace {

const int title_width = 1374;
const int title_height = 300;

// The mask grown by `radius` pixels in every direction (a round brush).
std::vector<float> grown(const std::vector<float>& mask, int w, int h, int radius)
{
    std::vector<float> out(mask.size(), 0.0f);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            float a = mask[y * w + x];
            if (a <= 0)
                continue;
            for (int dy = -radius; dy <= radius; dy++)
                for (int dx = -radius; dx <= radius; dx++) {
                    int nx = x + dx, ny = y + dy;
                    float reach = radius + 0.5f - std::hypot(static_cast<float>(dx), static_cast<float>(dy));
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h || reach <= 0)
                        continue;
                    float& o = out[ny * w + nx];
                    o = std::max(o, a * std::min(1.0f, reach));
                }
        }
    return out;
}

float at(const std::vector<float>& mask, int w, int h, int x, int y)
{
    return x < 0 || y < 0 || x >= w || y >= h ? 0.0f : mask[y * w + x];
}

// Two blades run out from the letters towards the picture's ends, fading.
void draw_blades(pixels& px, float y, float inner_left, float inner_right)
{
    const int w = title_width;
    for (int side = 0; side < 2; side++) {
        float from = side == 0 ? inner_left : inner_right;
        float to = side == 0 ? 40.0f : w - 40.0f;
        float x1 = std::min(from, to), x2 = std::max(from, to);
        paint fade = [=](float x, float yy) {
            float t = std::fabs(x - from) / std::fabs(to - from);
            rgba c = mix(rgb8(230, 40, 24), rgb8(90, 0, 0), t);
            c = mix(c, rgb8(255, 200, 170), std::max(0.0f, 1 - std::fabs(yy - (y - 4)) / 2.0f) * 0.6f);
            return with_alpha(c, 1 - t * t);
        };
        // A long wedge: full height at the letters, a point at the far end.
        shape shadow = side == 0 ? polygon({x1, y, x2, y - 9, x2, y + 9})
                                 : polygon({x1, y - 9, x2, y, x1, y + 9});
        shape blade = side == 0 ? polygon({x1 + 4, y, x2, y - 7, x2, y + 7})
                                : polygon({x1, y - 7, x2 - 4, y, x1, y + 7});
        fill(px, shadow, rgba{0, 0, 0, 0.6f});
        fill(px, blade, fade);
    }
}

void paint_title()
{
    const int w = title_width, h = title_height;
    const float letters_y = 118;
    std::vector<float> letters = text_mask(typeface::bold, 280, w, h, w / 2.0f, letters_y, "ZK3");
    std::vector<float> outline = grown(letters, w, h, 7);
    tiling_noise grain(24, 240, 7);

    int left = w, right = 0, top = h, bottom = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (letters[y * w + x] > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }

    pixels px;
    draw_blades(px, letters_y + 40, left - 24.0f, right + 24.0f);
    // Drop shadow, then the dark rim, then the lettering itself.
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            float shadow = at(outline, w, h, x - 10, y - 12);
            if (shadow > 0)
                px.blend(x, y, rgba{0, 0, 0, 0.55f}, shadow);
        }
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            float rim = outline[y * w + x];
            if (rim > 0)
                px.blend(x, y, rgb8(24, 2, 2), rim);
        }
    const float span = static_cast<float>(bottom - top);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            float a = letters[y * w + x];
            if (a <= 0)
                continue;
            float t = (y - top) / span;
            // Hot metal: pale at the top edge, red through the middle, dark below.
            rgba c = t < 0.45f ? mix(rgb8(255, 226, 190), rgb8(236, 52, 28), t / 0.45f)
                               : mix(rgb8(236, 52, 28), rgb8(96, 0, 0), (t - 0.45f) / 0.55f);
            // A bright seam where the top and bottom halves meet.
            c = mix(c, rgb8(255, 150, 110), std::max(0.0f, 1 - std::fabs(t - 0.47f) * 40) * 0.7f);
            // Edges lit from the top left, shaded on the bottom right.
            float slope = at(letters, w, h, x - 2, y - 2) - at(letters, w, h, x + 2, y + 2);
            c = slope < 0 ? mix(c, rgb8(255, 240, 220), -slope * 0.5f) : darker(c, 1 - slope * 0.45f);
            c = darker(c, 0.85f + 0.3f * grain.layered(static_cast<float>(x), static_cast<float>(y), 3));
            px.blend(x, y, c, a);
        }
}

void paint_subtitle()
{
    const float cx = title_width / 2.0f, cy = 268;
    const char* words = "A R E N A   D E A T H M A T C H";
    draw_label(typeface::bold, 40, rgba{0, 0, 0, 0.7f}, cx + 3, cy + 3, words);
    draw_label(typeface::bold, 40, rgb8(214, 200, 196), cx, cy, words);
}

}  // namespace

void add_menu_art()
{
    add_picture("png/menu_1.png", title_width, title_height, [] {
        paint_title();
        paint_subtitle();
    });
    const char* items[] = {"PLAY", "OPTIONS", "EDITOR", "CREDITS", "QUIT"};
    for (int k = 0; k < 5; k++) {
        std::string label = items[k];
        add_picture("png/menu_" + std::to_string(k + 2) + ".png", 300, 50, [label] { draw_button(label); });
    }
    // The row of two smaller entries below the column.
    add_picture("png/menu_7.png", 145, 40, [] { draw_button("REPLAYS"); });
    add_picture("png/menu_8.png", 145, 40, [] { draw_button("NETWORK"); });
}

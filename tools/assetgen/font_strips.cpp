// The two bitmap-font strips: one cell per code 32..126 from the left edge,
// each cell one column wider than its glyph; that last column stays empty.
//
// | picture           | size       | cell | glyph  |
// |-------------------|------------|------|--------|
// | png/font20.png    | 1235 x 21  | 13   | 12x21  |
// | png/font30.png    | 1805 x 31  | 19   | 18x31  |
//
// Glyphs are white; alpha alone carries the shape so the game's tint colours it.
// Bold, like the lettering on the menu's buttons.
#include <algorithm>
#include <vector>

#include <allegro5/allegro_font.h>

#include "canvas.h"
#include "lettering.h"
#include "registry.h"

namespace {

const int first_code = 32;
const int last_code = 126;
const int code_count = last_code - first_code + 1;

struct strip_layout {
    int cell;
    int glyph_width;
    int glyph_height;
};

// One glyph rendered alone, with the box its ink covers (empty for a space).
struct glyph_ink {
    std::vector<float> alpha;  // scratch-sized
    int left = 0, top = 0, right = -1, bottom = -1;
    bool empty() const { return right < left; }
};

const int scratch_size = 96;
const int scratch_origin = 24;  // where each glyph's pen starts in the scratch

glyph_ink render_glyph(ALLEGRO_FONT* font, int code)
{
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    ALLEGRO_BITMAP* scratch = new_canvas(scratch_size, scratch_size);
    al_draw_glyph(font, al_map_rgb(255, 255, 255), scratch_origin, scratch_origin, code);
    glyph_ink ink;
    ink.left = ink.top = scratch_size;
    {
        pixels px;
        for (int y = 0; y < scratch_size; y++)
            for (int x = 0; x < scratch_size; x++) {
                float a = px.get(x, y).a;
                ink.alpha.push_back(a);
                if (a > 0) {
                    ink.left = std::min(ink.left, x);
                    ink.right = std::max(ink.right, x);
                    ink.top = std::min(ink.top, y);
                    ink.bottom = std::max(ink.bottom, y);
                }
            }
    }
    al_set_target_bitmap(previous);
    al_destroy_bitmap(scratch);
    return ink;
}

struct rendered_font {
    std::vector<glyph_ink> glyphs;  // by code - first_code
    int top = scratch_size, bottom = -1, widest = 0;
};

rendered_font render_all(ALLEGRO_FONT* font)
{
    rendered_font all;
    for (int code = first_code; code <= last_code; code++) {
        glyph_ink ink = render_glyph(font, code);
        if (!ink.empty()) {
            all.top = std::min(all.top, ink.top);
            all.bottom = std::max(all.bottom, ink.bottom);
            all.widest = std::max(all.widest, ink.right - ink.left + 1);
        }
        all.glyphs.push_back(std::move(ink));
    }
    return all;
}

// The largest size at which every glyph fits its cell: nothing is cut off.
rendered_font largest_fitting(const strip_layout& layout)
{
    for (int size = layout.glyph_height + 8; size > 6; size--) {
        ALLEGRO_FONT* font = font_of(typeface::bold, size);
        if (!font)
            break;
        rendered_font all = render_all(font);
        if (all.widest <= layout.glyph_width && all.bottom - all.top + 1 <= layout.glyph_height)
            return all;
    }
    return {};
}

void paint_strip(const strip_layout& layout)
{
    rendered_font all = largest_fitting(layout);
    if (all.glyphs.empty())
        return;
    // One baseline for the whole strip, with the tallest ink centred in the cell.
    int shift_y = (layout.glyph_height - (all.bottom - all.top + 1)) / 2 - all.top;
    pixels px;
    for (int i = 0; i < code_count; i++) {
        const glyph_ink& ink = all.glyphs[i];
        if (ink.empty())
            continue;
        int shift_x = layout.cell * i + (layout.glyph_width - (ink.right - ink.left + 1)) / 2 - ink.left;
        for (int y = ink.top; y <= ink.bottom; y++)
            for (int x = ink.left; x <= ink.right; x++) {
                float a = ink.alpha[y * scratch_size + x];
                if (a > 0)
                    px.set(x + shift_x, y + shift_y, {1, 1, 1, a});
            }
    }
}

void add_strip(const char* path, strip_layout layout)
{
    add_picture(path, layout.cell * code_count, layout.glyph_height, [layout] { paint_strip(layout); });
}

}  // namespace

void add_font_strips()
{
    add_strip("png/font20.png", {13, 12, 21});
    add_strip("png/font30.png", {19, 18, 31});
}

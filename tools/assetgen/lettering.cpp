#include "lettering.h"

#include <cmath>
#include <map>
#include <utility>

#include <allegro5/allegro_ttf.h>

namespace {

std::map<std::pair<typeface, int>, ALLEGRO_FONT*> loaded;

// The bold cut sits beside the regular one in the same font package.
std::string font_file(typeface face)
{
    std::string regular = ZK3_TTF_FONT;
    if (face == typeface::regular)
        return regular;
    std::string bold = regular.substr(0, regular.size() - 4) + "-Bold.ttf";
    return al_filename_exists(bold.c_str()) ? bold : regular;
}

}  // namespace

ALLEGRO_FONT* font_of(typeface face, int pixel_size)
{
    auto key = std::make_pair(face, pixel_size);
    auto found = loaded.find(key);
    if (found != loaded.end())
        return found->second;
    ALLEGRO_FONT* font = al_load_ttf_font(font_file(face).c_str(), pixel_size, 0);
    loaded[key] = font;
    return font;
}

void close_fonts()
{
    for (auto& entry : loaded)
        if (entry.second)
            al_destroy_font(entry.second);
    loaded.clear();
}

void draw_label(typeface face, int pixel_size, rgba colour, float cx, float cy, const std::string& text)
{
    ALLEGRO_FONT* font = font_of(face, pixel_size);
    if (!font)
        return;
    int bx, by, bw, bh, cap_x, cap_y, cap_w, cap_h;
    al_get_text_dimensions(font, text.c_str(), &bx, &by, &bw, &bh);
    al_get_text_dimensions(font, "H", &cap_x, &cap_y, &cap_w, &cap_h);
    // Whole pixels keep the strokes crisp.
    float x = std::round(cx - bx - bw / 2.0f);
    float y = std::round(cy - cap_y - cap_h / 2.0f);
    al_draw_text(font, to_allegro(colour), x, y, 0, text.c_str());
}

std::vector<float> text_mask(typeface face, int pixel_size, int w, int h, float cx, float cy,
                             const std::string& text)
{
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    ALLEGRO_BITMAP* scratch = new_canvas(w, h);
    std::vector<float> mask(static_cast<std::size_t>(w * h), 0.0f);
    if (scratch) {
        draw_label(face, pixel_size, grey(1), cx, cy, text);
        pixels px;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                mask[y * w + x] = px.get(x, y).a;
    }
    al_set_target_bitmap(previous);
    if (scratch)
        al_destroy_bitmap(scratch);
    return mask;
}

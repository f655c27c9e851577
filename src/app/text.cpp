#include "app/text.h"

#include <cstring>

#include "app/assets.h"
#include "app/logical_screen.h"

namespace {

// Each strip holds one cell per code from the space upwards; a cell is one
// column wider than the glyph drawn from it.
struct font_metrics {
    int cell;
    int glyph_width;
    int glyph_height;
};

const font_metrics small_font = {13, 12, 21};
const font_metrics large_font = {19, 18, 31};

const int first_code = 32;
const int last_code = 126;

}  // namespace

int text_width(int characters, bool big)
{
    return characters * (big ? large_font : small_font).glyph_width;
}

int centred_x(const char* text, bool big)
{
    return (logical_width - text_width(static_cast<int>(std::strlen(text)), big)) / 2;
}

void draw_text(ALLEGRO_COLOR color, const char* text, int x, int y, bool big)
{
    const font_metrics& font = big ? large_font : small_font;
    ALLEGRO_BITMAP* strip = bfont[big ? 1 : 0];
    if (!strip)
        return;
    for (int i = 0; text[i] != '\0'; i++) {
        int code = static_cast<unsigned char>(text[i]);
        if (code < first_code || code > last_code)
            continue;
        al_draw_tinted_bitmap_region(strip, color, font.cell * (code - first_code), 0,
                                     font.glyph_width, font.glyph_height,
                                     x + font.glyph_width * i, y, 0);
    }
}

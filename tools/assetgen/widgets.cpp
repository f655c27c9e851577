#include "widgets.h"

#include <algorithm>

#include "lettering.h"

void draw_plate(pixels& canvas, float left, float top, float right, float bottom)
{
    const float corner = std::min(6.0f, (right - left) / 4);
    fill(canvas, box(left, top, right, bottom, corner), ink_dark);
    fill(canvas, box(left + 1, top + 1, right - 1, bottom - 1, corner - 1),
         vertical_gradient(top, rgb8(150, 150, 160), bottom, rgb8(40, 40, 48)));
    fill(canvas, box(left + 3, top + 3, right - 3, bottom - 3, corner - 2),
         vertical_gradient(top, plate_light, bottom, plate_dark));
    // The red line sits just inside the bevel, the game's one accent colour;
    // small plates (arrow keys) stay plain.
    if (right - left >= 60) {
        shape line = cut(box(left + 5, top + 5, right - 5, bottom - 5, 3),
                         box(left + 6, top + 6, right - 6, bottom - 6, 2));
        fill(canvas, line, with_alpha(accent_red, 0.8f));
    }
    fill(canvas, box(left + 8, top + 4, right - 8, top + 5), grey(1, 0.35f));
}

void draw_inset(pixels& canvas, float left, float top, float right, float bottom)
{
    fill(canvas, box(left, top, right, bottom, 3), grey(0.55f));
    fill(canvas, box(left, top, right - 1, bottom - 1, 3), ink_dark);
    fill(canvas, box(left + 1, top + 1, right - 1, bottom - 1, 2),
         vertical_gradient(top, rgb8(14, 10, 12), bottom, rgb8(34, 30, 34)));
}

void draw_arrow(pixels& canvas, float cx, float cy, float size, bool left, rgba colour)
{
    float half = size / 2, reach = size * 0.45f;
    shape arrow = left ? polygon({cx + reach, cy - half, cx + reach, cy + half, cx - reach, cy})
                       : polygon({cx - reach, cy - half, cx + reach, cy, cx - reach, cy + half});
    fill(canvas, arrow, colour);
}

void draw_button(float left, float top, float w, float h, const std::string& label)
{
    {
        pixels px;
        draw_plate(px, left, top, left + w, top + h);
    }
    const int size = static_cast<int>(h * 0.62f);
    const float cx = left + w / 2, cy = top + h / 2;
    draw_label(typeface::bold, size, with_alpha(ink_dark, 0.85f), cx + 2, cy + 2, label);
    draw_label(typeface::bold, size, grey(1), cx, cy, label);
}

void draw_button(const std::string& label)
{
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    draw_button(0, 0, al_get_bitmap_width(target), al_get_bitmap_height(target), label);
}

// Map editor pictures.
//
// | picture                  | size      | drawn at                 | notes                         |
// |--------------------------|-----------|--------------------------|-------------------------------|
// | png/editor.png           | 800 x 150 | (560, 465)               | leave dialog; buttons at      |
// |                          |           |                          | (75, 50) and (424, 50), 300x50|
// | png/waypoint_1..16.png   | 40 x 40   | over a cell, scaled down | marker of kind k              |
//
// Markers are see-through so the cell's pictures stay visible. Kinds 1..8
// are also spawn points (green ring); kinds k and k + 8 steer a bot alike,
// shown by the same small sign under the number.
#include <cmath>
#include <string>

#include "canvas.h"
#include "lettering.h"
#include "registry.h"
#include "widgets.h"

namespace {

void paint_leave_dialog()
{
    {
        pixels px;
        fill(px, box(0, 0, 800, 150, 10), rgb8(150, 150, 160));
        fill(px, box(2, 2, 798, 148, 9), vertical_gradient(0, rgb8(44, 40, 44), 150, rgb8(20, 14, 16)));
        fill(px, box(20, 42, 780, 43.5f), with_alpha(accent_red, 0.9f));
    }
    draw_label(typeface::bold, 24, grey(1), 400, 23, "LEAVE THE EDITOR");
    draw_button(75, 50, 300, 50, "SAVE");
    draw_button(424, 50, 300, 50, "DON'T SAVE");
    draw_label(typeface::regular, 16, grey(0.7f), 400, 125, "ESCAPE: BACK TO EDITING");
}

// The sign of what a kind makes a bot do: jump, go right, go left, or a mix.
void paint_kind_sign(pixels& px, int kind)
{
    const rgba sign = grey(1, 0.95f);
    const float y = 32;
    auto up = [&](float x) { fill(px, polygon({x - 3.5f, y + 2.5f, x, y - 3, x + 3.5f, y + 2.5f}), sign); };
    switch ((kind - 1) % 8 + 1) {
    case 2: up(20); break;
    case 3: draw_arrow(px, 20, y, 7, false, sign); break;
    case 4: draw_arrow(px, 20, y, 7, true, sign); break;
    case 5: up(15); draw_arrow(px, 25, y, 7, true, sign); break;
    case 6: draw_arrow(px, 15, y, 7, true, sign); draw_arrow(px, 25, y, 7, false, sign); break;
    case 7: up(15); draw_arrow(px, 25, y, 7, false, sign); break;
    case 8: up(12); draw_arrow(px, 20, y, 7, true, sign); draw_arrow(px, 28, y, 7, false, sign); break;
    default: fill(px, disc(20, y, 1.5f), sign); break;  // no change of heading
    }
}

void paint_waypoint(int kind)
{
    const bool spawn = kind <= 8;
    const rgba ring = spawn ? rgb8(60, 210, 90) : rgb8(70, 150, 255);
    {
        pixels px;
        fill(px, disc(20, 20, 17), with_alpha(darker(ring, 0.3f), 0.55f));
        fill(px, cut(disc(20, 20, 17), disc(20, 20, 14.5f)), ring);
        paint_kind_sign(px, kind);
    }
    std::string number = std::to_string(kind);
    draw_label(typeface::bold, 17, rgba{0, 0, 0, 0.8f}, 21, 17, number);
    draw_label(typeface::bold, 17, grey(1), 20, 16, number);
}

}  // namespace

void add_editor_art()
{
    add_picture("png/editor.png", 800, 150, paint_leave_dialog);
    for (int kind = 1; kind <= 16; kind++)
        add_picture("png/waypoint_" + std::to_string(kind) + ".png", 40, 40,
                    [kind] { paint_waypoint(kind); });
}

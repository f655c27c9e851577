// Map editor pictures.
//
// | picture                  | size      | drawn at                 | notes                         |
// |--------------------------|-----------|--------------------------|-------------------------------|
// | png/editor.png           | 800 x 150 | (560, 465)               | leave dialog; buttons at      |
// |                          |           |                          | (75, 50) and (424, 50), 300x50|
// | png/waypoint_1..16.png   | 40 x 40   | over a cell, scaled down | marker of kind k              |
//
// Markers are see-through so the cell's pictures stay visible. Kinds 1..8
// are also spawn points (green ring standing on a pad); kinds k and k + 8
// steer a bot alike, shown by the same small sign under the number: a dot
// keeps its way, an arrow up jumps, arrows left and right walk, and several
// signs mean a random choice among them.
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
void paint_kind_sign(pixels& px, int kind, rgba sign, float shift)
{
    const float y = 29 + shift, size = 9;
    auto up = [&](float x) {
        x += shift;
        fill(px, polygon({x - 4.5f, y + 3.5f, x, y - 4, x + 4.5f, y + 3.5f}), sign);
    };
    auto side = [&](float x, bool left) { draw_arrow(px, x + shift, y, size, left, sign); };
    switch ((kind - 1) % 8 + 1) {
    case 2: up(20); break;
    case 3: side(20, false); break;
    case 4: side(20, true); break;
    // 5 and 7 jump or walk on; a bot not walking goes right at 5, left at 7.
    case 5: up(15); side(25.5f, false); break;
    case 6: side(14.5f, true); side(25.5f, false); break;
    case 7: up(15); side(25.5f, true); break;
    case 8: up(11); side(20.5f, true); side(29.5f, false); break;
    default: fill(px, disc(20 + shift, y, 2), sign); break;  // no change of heading
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
        if (spawn)  // a pad under the ring: the floor a fighter enters on
            fill(px, polygon({9, 35, 31, 35, 34, 39.5f, 6, 39.5f}), ring);
        paint_kind_sign(px, kind, rgba{0, 0, 0, 0.8f}, 1);  // shadow
        paint_kind_sign(px, kind, grey(1), 0);
    }
    std::string number = std::to_string(kind);
    draw_label(typeface::bold, 16, rgba{0, 0, 0, 0.8f}, 21, 15, number);
    draw_label(typeface::bold, 16, grey(1), 20, 14, number);
}

}  // namespace

void add_editor_art()
{
    add_picture("png/editor.png", 800, 150, paint_leave_dialog);
    for (int kind = 1; kind <= 16; kind++)
        add_picture("png/waypoint_" + std::to_string(kind) + ".png", 40, 40,
                    [kind] { paint_waypoint(kind); });
}

// Options screen pictures.
//
// | picture                    | size     | drawn at               | notes                          |
// |----------------------------|----------|------------------------|--------------------------------|
// | png/options_1.png (setting)| 348 x 39 | (535 or 1166, row y)   | arrows over x 0..19, 328..347  |
// | png/options_2.png (fixed)  | 302 x 39 | (558, 368)             | read-only: no arrows           |
// | png/options_3.png (back)   | 300 x 50 | (810, 780)             | button                         |
//
// Values are written into the frames by the game, ending 30 px before the
// right arrow, so the field between the arrows stays dark and empty.
#include "canvas.h"
#include "registry.h"
#include "widgets.h"

namespace {

const int frame_height = 39;
const int setting_width = 348;
const int fixed_width = 302;
const int arrow_width = 20;  // the click areas at both ends

void paint_setting_frame()
{
    pixels px;
    draw_inset(px, arrow_width + 2, 1, setting_width - arrow_width - 2, frame_height - 1);
    for (int side = 0; side < 2; side++) {
        float left = side == 0 ? 0 : setting_width - arrow_width;
        draw_plate(px, left, 0, left + arrow_width, frame_height);
        draw_arrow(px, left + arrow_width / 2.0f + (side == 0 ? -0.5f : 0.5f), frame_height / 2.0f, 13,
                   side == 0, rgb8(240, 236, 230));
    }
}

void paint_fixed_frame()
{
    pixels px;
    draw_inset(px, 0, 1, fixed_width, frame_height - 1);
}

}  // namespace

void add_options_art()
{
    add_picture("png/options_1.png", setting_width, frame_height, paint_setting_frame);
    add_picture("png/options_2.png", fixed_width, frame_height, paint_fixed_frame);
    add_picture("png/options_3.png", 300, 50, [] { draw_button("BACK"); });
}

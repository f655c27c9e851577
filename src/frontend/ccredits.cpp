#include "frontend/ccredits.h"

#include "app/input.h"
#include "app/shell.h"
#include "app/text.h"
#include "frontend/backdrop.h"

namespace {

// The fade climbs 2 a step: in over 0..255, held to 768, out to 1024, where
// it stops with the name invisible.
const int fade_step = 2;
const int fade_end = 1024;
const int fade_in_end = 255;
const int fade_out_start = 768;

}  // namespace

ccredits::ccredits()
{
    make_backdrop(backdrop);
}

int ccredits::name_alpha(int fade_value)
{
    if (fade_value < 0 || fade_value >= fade_end)
        return 0;
    if (fade_value <= fade_in_end)
        return fade_value;
    if (fade_value <= fade_out_start)
        return 255;
    return fade_end - fade_value;
}

void ccredits::init()
{
    fade = fade_start;
    if (display)
        al_hide_mouse_cursor(display);
}

void ccredits::update()
{
    poll_keyboard();
    if (fade < fade_end)
        fade += fade_step;
}

void ccredits::draw()
{
    draw_backdrop(backdrop);
    draw_text(al_map_rgb(255, 255, 255), "DORVANT GAMES IS", 816, 50, true);
    if (fade >= 0) {
        int alpha = name_alpha(fade);
        draw_text(al_premul_rgba(255, 255, 255, alpha), "MILES STRAND", 852, 528, true);
    }
    show_frame();
}

void ccredits::deinit()
{
    if (display)
        al_show_mouse_cursor(display);
}

// Heads-up display pictures. The bars are cut from the left end of the strip
// and tinted (red health, yellow ammunition, green slow-motion energy), so the
// strip is white; each frame leaves a dark trough where its bar goes.
//
// | picture               | size      | drawn at           | notes                       |
// |-----------------------|-----------|--------------------|-----------------------------|
// | png/hud_1.png         | 430 x 40  | (150, 25)          | health; bar at (121, 8)     |
// | png/hud_2.png         | 394 x 40  | (764, 25)          | ammunition; bar at (85, 8)  |
// | png/hud_3.png         | 394 x 40  | (1342, 25)         | slow motion; bar at (85, 8) |
// | png/hud_4.png         | 300 x 24  | cut from the left  | bar strip, 300 = full       |
// | png/skull.png         | 40 x 44   | (1867, 190)        | above the kill count        |
// | png/grenade_icon.png  | 20 x 24   | (1140 - 25 i, 70)  | one per grenade             |
// | png/crosshair.png     | 17 x 17   | pointer - (8, 8)   | centre pixel (8, 8)         |
// | png/weapons.png       | 300 x 300 | (810, 390)         | the four guns, keys 1 to 4  |
#include <algorithm>
#include <cmath>
#include <string>

#include "canvas.h"
#include "lettering.h"
#include "registry.h"
#include "widgets.h"

namespace {

const int frame_height = 40;
const int bar_width = 300;
const int bar_height = 24;
const int bar_top = 8;

// A translucent dark frame with a label on the left and the bar's trough.
void paint_frame(int width, int bar_left, const char* label)
{
    {
        pixels px;
        fill(px, box(0, 0, width, frame_height, 6), rgba{0.75f, 0.75f, 0.8f, 0.85f});
        fill(px, box(1.5f, 1.5f, width - 1.5f, frame_height - 1.5f, 5), rgba{0.06f, 0.05f, 0.06f, 0.78f});
        draw_inset(px, bar_left - 2, bar_top - 2, bar_left + bar_width + 2, bar_top + bar_height + 2);
    }
    draw_label(typeface::bold, 17, grey(0.92f), (bar_left - 2) / 2.0f, frame_height / 2.0f, label);
}

void paint_bar_strip()
{
    pixels px;
    shade_pixels(px, [](int x, int y, rgba& c) {
        // Rounded look: bright upper third, shading towards the bottom.
        float t = (y + 0.5f) / bar_height;
        float light = t < 0.3f ? 0.85f + 0.5f * t : 1.0f - 0.5f * (t - 0.3f);
        if (y == 0 || y == bar_height - 1)
            light *= 0.7f;
        if (x % 10 == 9)
            light *= 0.82f;  // faint notches every 10 units of the bar
        c = grey(light);
    });
}

void paint_skull()
{
    pixels px;
    const rgba bone = rgb8(236, 230, 214);
    paint lit = vertical_gradient(2, bone, 42, rgb8(170, 160, 140));
    fill(px, disc(20, 17, 15), lit);
    fill(px, box(11, 22, 29, 38, 4), lit);                       // jaw
    fill(px, ellipse(14, 19, 4.5f, 5), rgb8(30, 14, 14));         // eyes
    fill(px, ellipse(26, 19, 4.5f, 5), rgb8(30, 14, 14));
    fill(px, polygon({20, 24, 22.5f, 29, 17.5f, 29}), rgb8(40, 20, 20));  // nose
    for (int k = 0; k < 5; k++)
        fill(px, box(13.5f + 2.8f * k, 33, 14.5f + 2.8f * k, 38), rgb8(90, 80, 70));  // teeth
    add_outline(px, rgb8(20, 10, 10));
}

void paint_grenade_icon()
{
    pixels px;
    const rgba olive = rgb8(96, 118, 60);
    fill(px, ellipse(10, 14.5f, 7.5f, 8.5f),
         vertical_gradient(6, mix(olive, grey(1), 0.35f), 23, darker(olive, 0.55f)));
    for (float y = 10; y < 22; y += 4)
        fill(px, box(3, y, 17, y + 0.8f), darker(olive, 0.6f));
    fill(px, box(6.5f, 2.5f, 13.5f, 6.5f, 1), rgb8(120, 124, 130));  // fuse head
    fill(px, unite(box(12, 2.5f, 17, 4), box(15.5f, 3, 17, 12)), rgb8(170, 174, 180));  // lever
    fill(px, cut(disc(5, 3, 2.2f), disc(5, 3, 1.1f)), rgb8(190, 190, 196));  // pin ring
    add_outline(px, rgb8(12, 12, 12));
}

void paint_crosshair()
{
    pixels px;
    const rgba line = rgb8(255, 255, 255);
    const float c = 8.5f;
    fill(px, cut(disc(c, c, 6), disc(c, c, 4.8f)), line);
    fill(px, box(c - 0.5f, 0, c + 0.5f, 5), line);
    fill(px, box(c - 0.5f, 12, c + 0.5f, 17), line);
    fill(px, box(0, c - 0.5f, 5, c + 0.5f), line);
    fill(px, box(12, c - 0.5f, 17, c + 0.5f), line);
    fill(px, box(8, 8, 9, 9), rgb8(255, 40, 30));  // the exact pointer pixel
    add_outline(px, rgba{0, 0, 0, 0.8f});
}

// Draws the inked part of `picture` centred on (cx, cy), enlarged up to twice
// its size while it fits a w x h box.
void draw_centred_enlarged(ALLEGRO_BITMAP* picture, float cx, float cy, float w, float h)
{
    int left = al_get_bitmap_width(picture), top = al_get_bitmap_height(picture), right = -1, bottom = -1;
    for (int y = 0; y < al_get_bitmap_height(picture); y++)
        for (int x = 0; x < al_get_bitmap_width(picture); x++)
            if (al_get_pixel(picture, x, y).a > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < left)
        return;
    float sw = right - left + 1, sh = bottom - top + 1;
    float scale = std::min({2.0f, w / sw, h / sh});
    al_draw_scaled_bitmap(picture, left, top, sw, sh, std::round(cx - sw * scale / 2),
                          std::round(cy - sh * scale / 2), sw * scale, sh * scale, 0);
}

// The offer of a weapon for the next life: a key and a picture per gun.
void paint_weapon_panel()
{
    const char* names[4] = {"PISTOL", "MACHINE GUN", "SHOTGUN", "MINIGUN"};
    const char* pictures[4] = {"png/pistol.png", "png/machine_gun.png", "png/shotgun.png",
                               "png/minigun_1.png"};
    {
        pixels px;
        fill(px, box(0, 0, 300, 300, 8), rgba{0.75f, 0.75f, 0.8f, 0.9f});
        fill(px, box(2, 2, 298, 298, 7), rgba{0.05f, 0.04f, 0.05f, 0.85f});
        fill(px, box(12, 50, 288, 51.5f), with_alpha(accent_red, 0.9f));
    }
    draw_label(typeface::bold, 22, grey(1), 150, 27, "CHOOSE WEAPON");
    for (int k = 0; k < 4; k++) {
        float top = 62 + 58.0f * k;
        {
            pixels px;
            draw_plate(px, 14, top + 8, 50, top + 44);
        }
        draw_label(typeface::bold, 24, grey(1), 32, top + 26, std::to_string(k + 1));
        if (ALLEGRO_BITMAP* gun = paint_picture(pictures[k])) {
            draw_centred_enlarged(gun, 110, top + 26, 104, 44);
            al_destroy_bitmap(gun);
        }
        draw_label(typeface::bold, 16, grey(0.9f), 228, top + 26, names[k]);
    }
}

}  // namespace

void add_hud_art()
{
    add_picture("png/hud_1.png", 430, frame_height, [] { paint_frame(430, 121, "HEALTH"); });
    add_picture("png/hud_2.png", 394, frame_height, [] { paint_frame(394, 85, "AMMO"); });
    add_picture("png/hud_3.png", 394, frame_height, [] { paint_frame(394, 85, "SLOW"); });
    add_picture("png/hud_4.png", bar_width, bar_height, paint_bar_strip);
    add_picture("png/skull.png", 40, 44, paint_skull);
    add_picture("png/grenade_icon.png", 20, 24, paint_grenade_icon);
    add_picture("png/crosshair.png", 17, 17, paint_crosshair);
    add_picture("png/weapons.png", 300, 300, paint_weapon_panel);
}

// The fighter as a paper doll: head, legs, shoes and body, then hands and
// arms around the gun, which draws itself in between. Facing left mirrors
// the pictures and moves a few of them.
#include "fighters/cplayer.h"

#include <algorithm>
#include <cmath>

#include "app/assets.h"
#include "map/cmap.h"

namespace {

const int pistol_type = 0;

// Hand and arm pictures: the pistol's, then behind and in front of a long gun.
const int pistol_hand = 0;
const int rear_hand = 1;
const int front_hand = 2;

// Where the arms turn about, in the picture and on the fighter.
struct arm_pivot {
    float cx, cy;  // centre in the picture
    float x, y;    // offset from the fighter's snapped corner
};

const arm_pivot pistol_right = {3, 5, 19, 22};
const arm_pivot pistol_left = {3, 5, 20, 22};
const arm_pivot long_gun_right = {16, 6, 19, 22};
const arm_pivot long_gun_left = {16, 23, 20, 22};

// A missing picture is skipped: the library would abort on it.
void draw_plain(ALLEGRO_BITMAP* picture, float x, float y, int flags)
{
    if (picture)
        al_draw_bitmap(picture, x, y, flags);
}

void draw_tinted(ALLEGRO_BITMAP* picture, ALLEGRO_COLOR tint, float x, float y, int flags)
{
    if (picture)
        al_draw_tinted_bitmap(picture, tint, x, y, flags);
}

}  // namespace

void cplayer::draw()
{
    if (!active || health <= 0)
        return;

    // The doll snaps to whole units.
    const float sx = std::floor(x) - map.get_xs();
    const float sy = std::floor(y) - map.get_ys();
    const int mirror = dir ? ALLEGRO_FLIP_HORIZONTAL : 0;
    const int legs = std::clamp(static_cast<int>(frame), 0, 8);
    const float legs_x = sx + (dir ? -12 : -15);

    draw_plain(bhead[std::clamp(head, 0, 2)], sx + (dir ? 11 : 14), sy, mirror);
    draw_tinted(blegs[legs], colors[1], legs_x, sy + 40, mirror);
    draw_plain(bshoes[legs], legs_x, sy + 36, mirror);
    draw_tinted(bbody, colors[0], sx + 7, sy + 15, mirror);

    // The arms turn with the aim; facing left they are flipped upside down.
    const bool pistol = weapon_type() == pistol_type;
    const arm_pivot& pivot = pistol ? (dir ? pistol_left : pistol_right)
                                    : (dir ? long_gun_left : long_gun_right);
    const int flip = dir ? ALLEGRO_FLIP_VERTICAL : 0;
    auto hand_and_arm = [&](int which) {
        if (bhands[which])
            al_draw_rotated_bitmap(bhands[which], pivot.cx, pivot.cy, sx + pivot.x, sy + pivot.y,
                                   angle, flip);
        if (barms[which])
            al_draw_tinted_rotated_bitmap(barms[which], colors[0], pivot.cx, pivot.cy,
                                          sx + pivot.x, sy + pivot.y, angle, flip);
    };

    if (!pistol)
        hand_and_arm(rear_hand);
    if (weapon)
        weapon->draw();
    hand_and_arm(pistol ? pistol_hand : front_hand);
}

// The guns and the grenade, pointing right. Each gun turns about its pivot
// (the fighter's shoulder) and is drawn flipped upside down when its fighter
// faces left, so each height is fixed by its two pivots: h = cy_right + cy_left.
//
// | picture               | size    | pivot right / left | muzzle, casing port (from shots) |
// |-----------------------|---------|--------------------|----------------------------------|
// | png/pistol.png        | 42 x 13 | (3, 9) / (3, 4)    | (40, 1), (27, 1)                 |
// | png/machine_gun.png   | 52 x 34 | (16, 6) / (16, 28) | (47, 19.5), (16, 19)             |
// | png/shotgun.png       | 57 x 29 | (16, 6) / (16, 23) | (54.5, 20), (28.5, 20)           |
// | png/minigun_1..3.png  | 84 x 36 | (16, 6) / (16, 30) | (82, 26.5), (26, 28)             |
// | png/grenade.png       | 15 x 13 | (7, 6)             | spins about its middle           |
//
// The rear hand holds every rifle at about (21, 25) and the front hand at
// (38, 22), where the arm pictures put the fists.
#include <string>

#include "canvas.h"
#include "registry.h"

namespace {

const rgba gun_black = rgb8(40, 42, 46);
const rgba gun_steel = rgb8(92, 96, 104);
const rgba gun_edge = rgb8(150, 156, 166);
const rgba wood = rgb8(120, 72, 36);
const rgba outline = rgb8(10, 10, 12);

// Metal lit from above: a bright top edge fading into the body colour.
paint metal(rgba base, float top, float bottom)
{
    return vertical_gradient(top, mix(base, grey(1), 0.35f), bottom, darker(base, 0.7f));
}

void paint_pistol()
{
    pixels px;
    fill(px, polygon({27, 4, 32.5f, 4, 31.5f, 12.5f, 26, 12.5f}), gun_black);        // grip
    fill(px, cut(box(31, 4, 37, 9, 2), box(32.5f, 5, 35.5f, 7.8f, 1)), gun_black);   // trigger guard
    fill(px, box(24, 0.5f, 41.5f, 5, 1), metal(gun_steel, 0.5f, 5));                // slide
    fill(px, box(26, 1.3f, 29, 2.3f), grey(0.12f));                                 // ejection port
    fill(px, box(39.5f, 0, 41, 1), gun_edge);                                       // front sight
    add_outline(px, outline);
}

void paint_machine_gun()
{
    pixels px;
    fill(px, polygon({0, 16, 10, 15, 10, 22, 1, 24}), wood);                          // stock
    fill(px, polygon({25, 22.5f, 31, 22.5f, 32, 33.5f, 27.5f, 33.5f}), gun_black);    // magazine
    fill(px, polygon({19, 22, 24, 22, 22.5f, 29, 18, 29}), gun_black);                // grip
    fill(px, box(8, 14.5f, 35, 23, 1.5f), metal(gun_steel, 14.5f, 23));              // receiver
    fill(px, box(34, 17, 44, 22, 1), wood);                                          // handguard
    fill(px, box(34, 18.3f, 48, 20.7f), metal(gun_black, 18.3f, 20.7f));             // barrel
    fill(px, box(14.5f, 17.5f, 18.5f, 19.5f), grey(0.1f));                           // ejection port
    fill(px, box(12, 12.5f, 16, 14.5f), gun_black);                                  // rear sight
    fill(px, box(44, 16, 45.5f, 18.3f), gun_black);                                  // front sight
    add_outline(px, outline);
}

void paint_shotgun()
{
    pixels px;
    fill(px, polygon({0, 17, 13, 15.5f, 13, 21, 1, 25}), wood);                       // stock
    fill(px, polygon({18, 20, 23, 20, 21.5f, 27, 17, 27}), wood);                     // grip
    fill(px, box(12, 15, 31, 22, 1.5f), metal(gun_steel, 15, 22));                   // receiver
    fill(px, box(30, 20.5f, 52, 23), metal(gun_black, 20.5f, 23));                   // magazine tube
    fill(px, box(30, 17.8f, 55.5f, 20.6f), metal(gun_steel, 17.8f, 20.6f));          // barrel
    fill(px, box(34, 20, 45, 25, 1.5f), wood);                                       // pump
    for (float x = 36; x < 44; x += 2)
        fill(px, box(x, 21, x + 0.8f, 24.5f), darker(wood, 0.7f));                   // pump grooves
    fill(px, box(26, 17, 31, 19), grey(0.1f));                                       // loading port
    add_outline(px, outline);
}

// The three barrels turn: each frame moves the bright barrel down one place.
void paint_minigun(int frame)
{
    pixels px;
    fill(px, box(12, 27, 28, 35, 1), rgb8(74, 84, 52));                              // ammunition box
    fill(px, box(15, 29, 25, 30), rgb8(54, 62, 38));
    fill(px, polygon({17, 24, 23, 24, 22, 31, 16.5f, 31}), gun_black);               // rear grip
    fill(px, box(4, 16, 37, 29, 3), metal(gun_steel, 16, 29));                       // motor housing
    fill(px, box(18, 12, 30, 14.5f, 1), gun_black);                                  // carry handle
    fill(px, box(19, 12, 21, 17), gun_black);
    fill(px, box(27, 12, 29, 17), gun_black);
    fill(px, box(36, 20, 40, 31.5f, 1), gun_black);                                  // barrel clamp
    for (int k = 0; k < 3; k++) {
        float y = 22.5f + 2.8f * k;
        bool lit = k == frame;
        fill(px, box(38, y, 82.5f, y + 2.4f), metal(lit ? gun_edge : gun_black, y, y + 2.4f));
    }
    fill(px, box(60, 21.5f, 63, 31.5f, 0.8f), gun_black);                            // front clamp
    fill(px, box(36, 18, 41, 21), gun_black);
    add_outline(px, outline);
}

void paint_grenade()
{
    pixels px;
    const rgba olive = rgb8(84, 102, 54);
    fill(px, ellipse(7, 7.5f, 5.5f, 5),
         vertical_gradient(2.5f, mix(olive, grey(1), 0.3f), 12.5f, darker(olive, 0.6f)));
    for (float x = 4; x < 11; x += 3)
        fill(px, box(x, 3, x + 0.6f, 12), darker(olive, 0.65f));                    // segments
    fill(px, box(5, 1, 9.5f, 3.2f, 0.5f), gun_steel);                                // fuse head
    fill(px, unite(box(9, 1, 12.5f, 2.3f), box(11.3f, 2, 12.5f, 7)), gun_edge);     // lever
    add_outline(px, outline);
}

}  // namespace

void add_weapon_art()
{
    add_picture("png/pistol.png", 42, 13, paint_pistol);
    add_picture("png/machine_gun.png", 52, 34, paint_machine_gun);
    add_picture("png/shotgun.png", 57, 29, paint_shotgun);
    for (int frame = 0; frame < 3; frame++)
        add_picture("png/minigun_" + std::to_string(frame + 1) + ".png", 84, 36,
                    [frame] { paint_minigun(frame); });
    add_picture("png/grenade.png", 15, 13, paint_grenade);
}

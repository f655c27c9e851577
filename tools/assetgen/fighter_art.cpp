// The fighter's paper doll, facing right; the game mirrors it for facing left.
// Shirt parts (body, arms) and pants (legs) are drawn in white and greys so
// that the game's tint gives them their colour; head, hands and shoes are not
// tinted and carry their own colours.
//
// | picture                | size    | placed at (facing right)  | pivot / notes               |
// |------------------------|---------|---------------------------|-----------------------------|
// | png/head_1..3.png      | 14 x 17 | (X + 14, Y)               | flat-top, long, beard       |
// | png/body.png           | 25 x 30 | (X + 7, Y + 15)           | shoulder at (12, 7)         |
// | png/legs_1..9.png      | 66 x 40 | (X - 15, Y + 40)          | hip at (34.5, 4); 1 stands  |
// | png/shoes_1..9.png     | 66 x 44 | (X - 15, Y + 36)          | the feet of legs_k          |
// | png/arms_1.png         | 32 x 10 | rotated about (3, 5)      | pistol arm                  |
// | png/arms_2, _3.png     | 48 x 29 | rotated about (16, 6)     | rear, front arm on a rifle  |
// | png/hands_1..3.png     | as arms | as arms                   | the fist at the arm's end   |
//
// The mirror axis is the box's middle, X + 19.5, which fixes the picture
// widths: head 14, body 25, legs 66 (their mirrored offsets are 11, 7, -12).
// Arm and gun heights follow from their flipped pivots the same way.
#include <cmath>
#include <string>

#include "canvas.h"
#include "registry.h"

namespace {

const rgba skin = rgb8(226, 178, 140);
const rgba skin_shadow = rgb8(178, 128, 96);
const rgba dark_line = rgb8(34, 22, 16);
// Tinted parts keep their outline grey so it darkens with the tint colour.
const rgba tinted_line = grey(0.3f);

// ---- head ----------------------------------------------------------------

// The three heads differ in cut as well as colour, so they tell apart at a
// glance even where the colour does not: a flat-top, long hair with a
// fringe, and a crop with a full beard.
enum class haircut { flat_top, long_hair, beard };

void paint_head(rgba hair, haircut cut_style)
{
    pixels px;
    paint hair_paint = vertical_gradient(0, mix(hair, grey(1), 0.3f), 14, darker(hair, 0.7f));
    if (cut_style == haircut::long_hair)  // behind the neck, so it goes first
        fill(px, polygon({0.3f, 5, 6, 5, 6, 15.5f, 0.3f, 16.5f}), hair_paint);
    fill(px, box(4, 11, 9.5f, 17), skin_shadow);                    // neck
    fill(px, disc(6, 7.5f, 6), skin);                                // skull
    fill(px, ellipse(9, 10, 4.5f, 4), skin);                         // jaw
    fill(px, polygon({11.5f, 6.5f, 13.8f, 9.8f, 11.5f, 10.5f}), skin);  // nose
    fill(px, box(8, 12, 11.5f, 12.8f), skin_shadow);                 // mouth
    fill(px, disc(10, 6.8f, 0.9f), dark_line);                       // eye
    // Hair covers the top and the back of the head, leaving the face.
    shape cap = cut(disc(6, 7, 6.6f), unite(box(7.5f, 5.2f, 14, 17), box(3.5f, 9.5f, 14, 17)));
    switch (cut_style) {
    case haircut::flat_top:
        cap = unite(cap, box(0.8f, 0, 11.5f, 4.2f, 0.6f));
        break;
    case haircut::long_hair:
        cap = unite(cap, polygon({5, 1.5f, 11, 2, 12.2f, 5.6f, 7.5f, 4.6f}));  // fringe
        break;
    case haircut::beard:
        cap = cut(cap, box(0, 0, 14, 1.6f));  // cropped close
        break;
    }
    fill(px, cap, hair_paint);
    if (cut_style == haircut::beard) {
        shape beard = cut(unite(ellipse(9, 11, 4.4f, 3.6f), box(5.5f, 8.5f, 8.5f, 12.5f)), box(8.5f, 11.7f, 14, 12.9f));
        fill(px, cut(beard, box(0, 0, 14, 8.6f)), hair_paint);
    }
    fill(px, ellipse(5.5f, 8.8f, 1.4f, 1.8f), skin_shadow);          // ear
    add_outline(px, dark_line);
}

// ---- body ----------------------------------------------------------------

void paint_body()
{
    pixels px;
    paint cloth = [](float x, float y) {
        // Lit from the front and above, darker at the back.
        float light = 0.95f - 0.2f * (y / 30) - 0.12f * (1 - x / 25);
        return grey(light);
    };
    fill(px, unite(box(5, 1, 20, 28, 4), ellipse(12.5f, 5, 8, 4.5f)), cloth);
    fill(px, box(9, 1, 16, 2.5f, 1), grey(0.6f));       // collar
    fill(px, box(6, 23.5f, 19, 25), grey(0.62f));       // hem of the shirt
    add_outline(px, tinted_line);
}

// ---- legs and shoes --------------------------------------------------------

const float hip_x = 34.5f, hip_y = 4;
const float thigh = 16, shin = 16;
const float ankle_floor = 35;  // ankle row of a planted foot; the sole ends at the last row

struct joint {
    float x, y;
};

struct leg_pose {
    joint knee, ankle;
    float lift;  // how far the foot is off the floor
};

// Two-bone reach from the hip to the foot, the knee bending forward.
leg_pose reach(float foot_dx, float lift)
{
    joint foot = {hip_x + foot_dx, ankle_floor - lift};
    float dx = foot.x - hip_x, dy = foot.y - hip_y;
    float d = std::min(std::hypot(dx, dy), thigh + shin - 0.01f);
    float along = d / 2;  // equal bones: the knee sits over the midpoint
    float out = std::sqrt(std::max(0.0f, thigh * thigh - along * along));
    float ux = dx / std::hypot(dx, dy), uy = dy / std::hypot(dx, dy);
    joint knee = {hip_x + ux * along + uy * out, hip_y + uy * along - ux * out};
    joint ankle = {hip_x + ux * d, hip_y + uy * d};
    return {knee, ankle, lift};
}

// Frame 0 stands; frames 1..8 are one stride: each foot is planted for half
// the cycle while it slides back, and swings forward lifted for the other half.
leg_pose pose(int frame, bool near_leg)
{
    if (frame == 0)
        return reach(near_leg ? 4.0f : -4.0f, 0);
    const float pi = 3.14159265f;
    float phase = 2 * pi * (frame - 1) / 8 + (near_leg ? 0 : pi);
    return reach(11 * std::cos(phase), std::max(0.0f, -std::sin(phase)) * 6);
}

void paint_leg(pixels& px, const leg_pose& leg, float light)
{
    paint cloth = [light](float x, float) { return grey(light * (0.85f + 0.15f * (x - hip_x + 10) / 20)); };
    fill(px, capsule(hip_x, hip_y, leg.knee.x, leg.knee.y, 4.2f), cloth);
    fill(px, capsule(leg.knee.x, leg.knee.y, leg.ankle.x, leg.ankle.y, 3.5f), cloth);
}

void paint_legs(int frame)
{
    pixels px;
    paint_leg(px, pose(frame, false), 0.68f);
    fill(px, ellipse(hip_x, hip_y + 1, 7, 5), grey(0.8f));  // seat of the trousers
    paint_leg(px, pose(frame, true), 1.0f);
    add_outline(px, tinted_line);
}

const float shoes_shift = 4;  // the shoes picture starts 4 rows above the legs

void paint_shoe(pixels& px, const leg_pose& leg, float light)
{
    float x = leg.ankle.x, y = leg.ankle.y + shoes_shift;
    // A lifted foot points its toe down a little.
    float tilt = leg.lift * 0.35f;
    fill(px, polygon({x - 3.5f, y - 1.5f, x + 2.5f, y - 1.5f, x + 8.5f, y + 2 + tilt, x + 8.5f, y + 5 + tilt,
                      x - 3.5f, y + 5}),
         darker(rgb8(86, 58, 40), light));
    fill(px, polygon({x - 3.5f, y + 4, x + 8.5f, y + 4 + tilt, x + 8.5f, y + 5 + tilt, x - 3.5f, y + 5}),
         darker(rgb8(24, 18, 14), light));
}

void paint_shoes(int frame)
{
    pixels px;
    paint_shoe(px, pose(frame, false), 0.75f);
    paint_shoe(px, pose(frame, true), 1.0f);
    add_outline(px, dark_line);
}

// ---- arms and hands ---------------------------------------------------------

struct arm_path {
    joint shoulder, elbow, wrist;
};

const arm_path pistol_arm = {{3, 5}, {14, 5}, {26, 5}};
const arm_path rear_arm = {{16, 6}, {12, 17}, {20, 24}};
const arm_path front_arm = {{16, 6}, {26, 16}, {36, 21}};

void paint_arm(const arm_path& arm)
{
    pixels px;
    paint cloth = [](float, float y) { return grey(0.95f - 0.012f * y); };
    fill(px, capsule(arm.shoulder.x, arm.shoulder.y, arm.elbow.x, arm.elbow.y, 3.2f), cloth);
    fill(px, capsule(arm.elbow.x, arm.elbow.y, arm.wrist.x, arm.wrist.y, 2.7f), cloth);
    add_outline(px, tinted_line);
}

void paint_hand(const arm_path& arm)
{
    pixels px;
    float dx = arm.wrist.x - arm.elbow.x, dy = arm.wrist.y - arm.elbow.y, length = std::hypot(dx, dy);
    float x = arm.wrist.x + dx / length * 2.5f, y = arm.wrist.y + dy / length * 2.5f;
    fill(px, disc(x, y, 3.1f), skin);
    fill(px, disc(x + 0.8f, y - 0.9f, 1.2f), mix(skin, grey(1), 0.3f));  // knuckles catch the light
    add_outline(px, dark_line);
}

}  // namespace

void add_fighter_art()
{
    const rgba hair[3] = {rgb8(236, 196, 64), rgb8(118, 70, 32), rgb8(34, 30, 32)};
    const haircut cuts[3] = {haircut::flat_top, haircut::long_hair, haircut::beard};
    for (int k = 0; k < 3; k++) {
        rgba colour = hair[k];
        haircut style = cuts[k];
        add_picture("png/head_" + std::to_string(k + 1) + ".png", 14, 17,
                    [colour, style] { paint_head(colour, style); });
    }
    add_picture("png/body.png", 25, 30, paint_body);
    for (int frame = 0; frame < 9; frame++) {
        std::string n = std::to_string(frame + 1);
        add_picture("png/legs_" + n + ".png", 66, 40, [frame] { paint_legs(frame); });
        add_picture("png/shoes_" + n + ".png", 66, 44, [frame] { paint_shoes(frame); });
    }
    const arm_path* arms[3] = {&pistol_arm, &rear_arm, &front_arm};
    const int widths[3] = {32, 48, 48}, heights[3] = {10, 29, 29};
    for (int k = 0; k < 3; k++) {
        const arm_path& arm = *arms[k];
        std::string n = std::to_string(k + 1);
        add_picture("png/arms_" + n + ".png", widths[k], heights[k], [&arm] { paint_arm(arm); });
        add_picture("png/hands_" + n + ".png", widths[k], heights[k], [&arm] { paint_hand(arm); });
    }
}

// Blood through its real init, update and draw: the pool of drops, their
// flight, stains and fade, and the vertex array drawn in one call.
#include <cstdlib>

#include <allegro5/allegro_primitives.h>

#include "app/assets.h"
#include "effect_test.h"
#include "effects/cblood.h"
#include "room_test.h"

namespace {

using Blood = RoomTest;

TEST_F(Blood, DropsFallStopAtWallsFloorsAndCeilingsAndDieOffTheMap)
{
    const struct {
        const char* what;
        float x, y, vx, vy;
        int ticks;
        float new_x, new_y, new_vx, new_vy;  // all 0: gone
    } cases[] = {
        {"falls from rest", 20, 20, 0, 0, 1, 20, 20.25f, 0, 0.25f},
        {"a stain stays", 20, 117.5f, 0, 0, 5, 20, 117.5f, 0, 0},
        {"skids to a stop", 20, 117.5f, 0.5f, 0, 1, 20.5f, 117.5f, 0, 0},
        {"lands", 20, 110, 0.5f, 7.75f, 1, 20.5f, 117, 0, 0},
        {"runs down a wall", 117, 40, 0.75f, 0, 2, 117, 40.75f, 0, 0.5f},
        {"hits a ceiling", 130, 81, 0, -2, 1, 130, 80, 0, 0},
        {"falls again", 130, 81, 0, -2, 2, 130, 80.25f, 0, 0.25f},
        {"clings to the left edge", -1, 20, -0.75f, 0, 1, -1.75f, 20.25f, -0.75f, 0.25f},
        {"leaves left", -1.5f, 20, -0.75f, 0, 1, 0, 0, 0, 0},
        {"leaves right", 199.5f, 20, 0.75f, 0, 1, 0, 0, 0, 0},
        {"leaves at the top", 20, -1.5f, 0, -1, 1, 0, 0, 0, 0},
        {"falls through the hole", 50, 159.5f, 0, 1, 1, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        blood.reset();
        blood.init(c.x, c.y);
        blood.set_motion(0, c.vx, c.vy);
        for (int tick = 0; tick < c.ticks; tick++)
            blood.update();
        const bool live = c.new_x || c.new_y;
        EXPECT_EQ(blood.get_quad_count(), live ? 1 : 0) << c.what;
        EXPECT_TRUE(!live || (blood.get_x(0) == c.new_x && blood.get_y(0) == c.new_y
                              && blood.get_vx(0) == c.new_vx && blood.get_vy(0) == c.new_vy))
            << c.what << ": " << blood.get_x(0) << ", " << blood.get_y(0) << " at " << blood.get_vx(0) << ", "
            << blood.get_vy(0);
    }
}

TEST_F(Blood, TheLowestFreeSlotIsTakenAndAFullPoolStopsAWoundsSpill)
{
    blood.init(20, 20);
    blood.init(-10, 20);  // off the map: gone after one tick
    blood.init(30, 20);
    blood.update();
    blood.init(40, 20);
    EXPECT_TRUE(blood.get_life(1) == 250 && blood.get_x(1) == 40 && blood.get_life(3) == 0);

    // Each drop of a wound takes two random numbers for its place and three
    // for itself; a refused one takes the place's two, and the spill ends.
    cplayer& fighter = enter(0);
    for (int free_drops : {30, 10, 0}) {
        blood.reset();
        const int first = cblood::max_drops - free_drops;
        for (int drop = 0; drop < first; drop++)
            blood.init(20, 20);
        std::srand(5);
        fighter.set_health(100);
        fighter.damage(0, 10, 1);
        const int next = std::rand();
        const int spilled = std::min(free_drops, 26);
        std::srand(5);
        for (int draw = 0; draw < 5 * spilled + (free_drops < 26 ? 2 : 0); draw++)
            std::rand();
        EXPECT_EQ(next, std::rand()) << free_drops << " free";
        EXPECT_EQ(fighter.get_health(), 90);
        for (int drop = first; drop < first + spilled; drop++)
            EXPECT_TRUE(blood.get_life(drop) == 250 && std::fabs(blood.get_x(drop) - fighter.get_x() - 20) <= 2
                        && std::fabs(blood.get_y(drop) - fighter.get_y() - 25) <= 2) << drop;
        EXPECT_EQ(blood.init(20, 20), free_drops > 26);
    }
}

TEST_F(Blood, LiveDropsArePackedAtTheScrollDrawnInOneCallAndFadeOverTheirLast50Ticks)
{
    // Only the picture's top-left 3 x 3 pixels are used: the rest is green.
    stand_in_picture drop_picture(bblood, 8, 8, al_map_rgb(0, 255, 0));
    al_set_target_bitmap(bblood);
    al_draw_filled_rectangle(0, 0, 3, 3, al_map_rgb(255, 255, 255));
    ALLEGRO_BITMAP* screen = al_create_bitmap(200, 100);
    const float corner_x[6] = {0, 3, 3, 3, 0, 0}, corner_y[6] = {0, 0, 3, 3, 3, 0};
    const float left[2] = {20 - 10, 150 - 10}, top = 117 - 100;
    for (bool slow : {false, true}) {
        set_slow(slow);
        const int factor = slow ? 10 : 1;
        // Two stains around a drop that leaves the map on its first tick.
        blood.reset();
        blood.init(20.7f, 117.5f);
        blood.init(-10, 20);
        blood.init(150.3f, 117.9f);
        for (int drop = 0; drop < 3; drop++)
            blood.set_motion(drop, 0, 0);
        map.set_screen(10, 100);
        blood.update();
        ASSERT_EQ(blood.get_quad_count(), 2);
        const ALLEGRO_VERTEX* v = blood.get_vertices();
        const float shade[2] = {v[0].color.r, v[6].color.r};
        for (int k = 0; k < 12; k++) {
            const int corner = k % 6;
            EXPECT_TRUE(v[k].x == left[k / 6] + corner_x[corner] && v[k].y == top + corner_y[corner] && v[k].z == 0
                        && v[k].u == corner_x[corner] && v[k].v == corner_y[corner] && v[k].color.r == shade[k / 6]
                        && v[k].color.g == 0 && v[k].color.b == 0 && v[k].color.a == 1) << k;
        }
        int ticks = 1;
        for (; blood.get_quad_count() > 0; ticks++) {
            const bool opaque = ticks == 199 * factor;
            if (opaque || ticks == 225 * factor) {
                al_set_target_bitmap(screen);
                al_clear_to_color(al_map_rgb(0, 0, 0));
                blood.draw();
                for (int quad = 0; quad < 2; quad++) {
                    // Premultiplied: the red fades with the alpha.
                    const float red = shade[quad] * (opaque ? 1 : v[6 * quad].color.a);
                    EXPECT_NEAR(v[6 * quad].color.a, opaque ? 1 : 0.5f, 1e-3f);
                    const int x = static_cast<int>(left[quad]), y = static_cast<int>(top);
                    EXPECT_TRUE(pixel_is(screen, x, y, red, 0, 0) && pixel_is(screen, x + 2, y + 2, red, 0, 0));
                    EXPECT_TRUE(pixel_is(screen, x + 3, y, 0, 0, 0) && pixel_is(screen, x, y + 3, 0, 0, 0));
                }
            }
            blood.update();
        }
        EXPECT_EQ(ticks, 250 * factor);
        EXPECT_TRUE(shade[0] == 1 || shade[0] == 0.75f || shade[0] == 0.5f);
    }
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

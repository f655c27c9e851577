// Flames, smoke puffs and muzzle flashes through their real update and draw.
#include <set>

#include "app/assets.h"
#include "effect_test.h"
#include "effects/cfire.h"
#include "effects/cflame.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "test_fighter.h"

namespace {

class Flames : public FighterTest {
protected:
    void TearDown() override
    {
        for (cflame& flame : flames)
            flame.reset();
        fire[0].reset();
        FighterTest::TearDown();
    }
};

TEST_F(Flames, AFireFlameDriftsItsOwnWayAndHalfwayGivesOffOnePuffInThreeOnceButNoneIntoAFullPool)
{
    int puffs = 0;
    std::set<float> drifts;
    for (int trial = 0; trial < 30; trial++) {
        flames[1].reset();
        flames[0].init(300, 250, 5, 5, false);
        drifts.insert({flames[0].get_vx(), flames[0].get_vy()});
        for (int tick = 0; tick < 70; tick++)
            flames[0].update();
        ASSERT_EQ(flames[0].get_life(), 50);
        const cflame before = flames[0];
        flames[0].update();
        EXPECT_EQ(flames[0].get_life(), 47) << "48 after the chance, smoke or not";
        if (flames[1].active()) {
            puffs++;
            const cflame& puff = flames[1];
            // Where the flame was, with its speeds, before this tick moved it.
            EXPECT_TRUE(puff.get_smoke() && puff.get_life() == 100 && puff.get_x() == before.get_x()
                        && puff.get_y() == before.get_y() && puff.get_vx() == before.get_vx()
                        && puff.get_vy() == before.get_vy());
        }
        for (int tick = 0; tick < 47; tick++)
            flames[0].update();
        EXPECT_FALSE(flames[0].active() || flames[2].active()) << "one chance per flame";
    }
    EXPECT_TRUE(puffs > 3 && puffs < 20) << puffs;
    EXPECT_EQ(drifts, (std::set<float>{-0.2f, -0.1f, 0, 0.1f, 0.2f}));

    for (cflame& flame : flames)
        flame.init(300, 250, 0, 0, false);
    for (int tick = 0; tick < 71; tick++)
        for (cflame& flame : flames)
            flame.update();
    for (const cflame& flame : flames)
        ASSERT_TRUE(flame.active() && !flame.get_smoke());
}

TEST_F(Flames, FireSwellsThenYellowsAndShrinksWhileSmokeDarkensThenClears)
{
    stand_in_picture sphere(bsphere, 100, 100, al_map_rgb(255, 255, 255));
    ALLEGRO_BITMAP* screen = al_create_bitmap(400, 400);
    map.set_screen(100, 50);
    const struct {
        bool smoke;
        int updates, side;
        float r, g, b;  // fire over black, smoke over white
    } cases[] = {
        {false, 1, 5, 0.05f, 0, 0},        {false, 20, 100, 1, 0, 0},          {false, 70, 75, 0.5f, 0.25f, 0},
        {true, 10, 10, 0.98f, 0.98f, 0.98f}, {true, 50, 50, 0.9f, 0.9f, 0.9f}, {true, 75, 75, 0.95f, 0.95f, 0.95f},
    };
    for (const auto& c : cases) {
        cflame flame;
        flame.init(300, 250, 0, 0, c.smoke);
        for (int tick = 0; tick < c.updates; tick++)
            flame.update();
        const float back = c.smoke ? 1 : 0;
        al_set_target_bitmap(screen);
        al_clear_to_color(al_map_rgb_f(back, back, back));
        flame.draw();
        // A square of side `side` round the flame's floored point, scrolled.
        const int x = static_cast<int>(flame.get_x()) - 100, y = static_cast<int>(flame.get_y()) - 50;
        EXPECT_TRUE(pixel_is(screen, x, y, c.r, c.g, c.b)) << c.updates;
        EXPECT_TRUE(pixel_is(screen, x + c.side / 2 - 1, y, c.r, c.g, c.b)) << c.updates;
        EXPECT_TRUE(pixel_is(screen, x + c.side / 2 + 1, y, back, back, back)) << c.updates;
    }
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

TEST_F(Flames, AFlashLivesOneTickOrTenInSlowMotion)
{
    for (bool slow : {false, true}) {
        game = cgame();
        if (slow)
            game.slowmotion();
        fire[0].init(300, 250, 0);
        int ticks = 0;
        for (; fire[0].active() && ticks < 20; ticks++)
            fire[0].update();
        EXPECT_EQ(ticks, slow ? 10 : 1);
    }
}

}  // namespace

// The fixed order of a match step and of a frame: what a shot starts first
// changes in the next step or in this one, and what is drawn over what.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "effects/cfire.h"
#include "effects/cflame.h"
#include "effects/cshell.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "scripted_input.h"
#include "test_fighter.h"
#include "weapons/cbullet.h"

namespace {

class MatchOrder : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        read_arena({"..........", "..........", "....S.....", "..........", "##########"});
        enter(0);
    }
};

TEST_F(MatchOrder, AShotsBulletAndFlashChangeNextStepItsCasingThisStep)
{
    scripted_input::set_button(1, true);
    step();
    ASSERT_TRUE(bullets[0].get_active());
    EXPECT_EQ(bullets[0].get_tail(), 0) << "bullets were updated before the fighters";
    EXPECT_TRUE(fire[0].active()) << "the flash shows in this step's frame";
    EXPECT_EQ(shells[0].get_life(), 399) << "casings are updated after the fighters";

    scripted_input::set_button(1, false);
    step();
    EXPECT_EQ(bullets[0].get_tail(), 25);
    EXPECT_FALSE(fire[0].active());
    EXPECT_EQ(shells[0].get_life(), 398);
}

TEST_F(MatchOrder, FightersCoverBulletsAndFlamesCoverFighters)
{
    step(130);  // the spawn's smoke has cleared
    const cplayer& human = players[0];
    const int body_x = static_cast<int>(human.get_x()) + 20 - map.get_xs();
    const int body_y = static_cast<int>(human.get_y()) + 50 - map.get_ys();
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    al_set_target_bitmap(screen);

    // A full-grown fire flame over the body.
    flames[0].init(human.get_x() + 20, human.get_y() + 50, 0, 0, false);
    for (int tick = 0; tick < 20; tick++)
        flames[0].update();
    game.draw();
    ALLEGRO_COLOR burning = al_get_pixel(screen, body_x, body_y);
    EXPECT_GT(burning.r, 0.9f);
    EXPECT_LT(burning.b, 0.1f) << "the flame is under the fighter";

    flames[0].reset();

    // The fighter's own bullet, which passes through it, with a nearly
    // opaque streak lying across the body's middle.
    bullets[0].init(human.get_x() + 220, human.get_y() + 50.5f, ALLEGRO_PI, 1, 0);
    for (int tick = 0; tick < 5; tick++)
        bullets[0].update();
    ASSERT_NEAR(bullets[0].get_x(), human.get_x() - 30, 0.01);
    ASSERT_EQ(bullets[0].get_tail(), 125);
    game.draw();
    ALLEGRO_COLOR covered = al_get_pixel(screen, body_x, body_y);
    EXPECT_FALSE(covered.r > 0.95f && covered.g > 0.95f && covered.b > 0.95f)
        << "the streak shows through the fighter";

    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

// Casings through their real update and draw: one tick of bounce, clink, spin
// or rest, the margins round the map, and the fade.
#include <vector>

#include "app/assets.h"
#include "app/sound.h"
#include "effect_test.h"
#include "effects/cshell.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "test_fighter.h"

namespace {

std::vector<sound_event> heard;

// A room with a wall from x = 120 and a floor from y = 120.
class Casings : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        read_arena({"S..#", "...#", "...#", "####"});
        set_sound_listener([](const sound_event& event) { heard.push_back(event); });
    }
};

// A casing at (x, y) with the given spin and speeds, in a fresh match with the view at (0, 0).
cshell casing(float x, float y, float angle, float vx, float vy, bool slow = false, bool kind = false)
{
    game = cgame();
    if (slow)
        game.slowmotion();
    map.set_screen(0, 0);
    heard.clear();
    cshell shell;
    shell.init(x, y, 0, kind);
    shell.set_motion(angle, vx, vy);
    return shell;
}

TEST_F(Casings, OneTickBouncesHalvingAndClinksWhenHardOrSpinsOrLiesFlat)
{
    const float pi = ALLEGRO_PI;
    const struct {
        float x, y, angle, vx, vy;  // y 119: on the floor; x 119: at the wall
        bool slow, kind, far_off;
        float new_angle, new_vx, new_vy;
        int variant;  // of the clink, -1 silent
    } cases[] = {
        {60, 119, 0, 0, 3, false, false, false, 0.05f, 0, -1.5f, 0},
        {60, 119, 0, 0, 1.8f, false, false, false, 0.05f, 0, -0.9f, -1},
        {60, 119, 0, 0, 3, true, true, false, 0.005f, 0, -1.5f, 1},
        {60, 119, 0, 0, 3, false, true, true, 0.05f, 0, -1.5f, 0},
        {119, 60, 0, 4, 0, false, false, false, 0.05f, -2, 0.125f, 0},
        {60, 40, 3.1f, 0.4f, 0, false, false, false, -pi, 0.4f, 0.25f, -1},
        {60, 119, 1.5f, 0.4f, -0.4f, false, false, false, 0, 0, 0, -1},
        {60, 119, -1.6f, 0.4f, -0.4f, false, false, false, pi, 0, 0, -1},
        {60, 119, 3.1f, 0.4f, -0.4f, false, false, false, pi, 0, 0, -1},
    };
    for (const auto& c : cases) {
        cshell shell = casing(c.x, c.y, c.angle, c.vx, c.vy, c.slow, c.kind);
        map.set_screen(c.far_off ? 1000 : 0, 0);
        shell.update();
        EXPECT_FLOAT_EQ(shell.get_angle(), c.new_angle);
        EXPECT_EQ(shell.get_vx(), c.new_vx);
        EXPECT_EQ(shell.get_vy(), c.new_vy);
        ASSERT_EQ(heard.size(), c.variant < 0 ? 0u : 1u) << "vy " << c.vy;
        if (c.variant >= 0) {
            EXPECT_EQ(heard[0].pair, sshell + (c.kind ? 2 : 0));
            EXPECT_EQ(heard[0].variant, c.variant);
            EXPECT_EQ(heard[0].gain, c.far_off ? 0.25f : 1);
        }
    }
}

TEST_F(Casings, StartsOnlyOutsideWallsAndLeavesTheMapOnlyTwoUnitsPastAnEdge)
{
    cshell walled;
    walled.init(60, 120, 0, false);
    EXPECT_FALSE(walled.active());
    read_arena({"S...", "....", "....", "...."});
    const struct {
        float x, y, vx, vy, last_x, last_y;
    } cases[] = {
        {0.5f, 20, -2, -0.25f, -1.5f, 20},   {159.5f, 20, 2, -0.25f, 161.5f, 20},
        {80, 0.5f, 0, -2.25f, 80, -1.5f},    {80, 159.5f, 0, 2, 80, 161.75f},
    };
    for (const auto& c : cases) {
        cshell shell = casing(c.x, c.y, 0, c.vx, c.vy);
        shell.update();
        EXPECT_TRUE(shell.active() && shell.get_x() == c.last_x && shell.get_y() == c.last_y);
        shell.update();
        EXPECT_FALSE(shell.active()) << "at " << shell.get_x() << ", " << shell.get_y();
    }
}

TEST_F(Casings, RestsForGoodLivesFourHundredTicksOrFourThousandSlowAndFadesForTheLastHundred)
{
    stand_in_picture case_picture(bshell[0], 7, 3, al_map_rgb(255, 0, 0));
    stand_in_picture shell_picture(bshell[1], 10, 4, al_map_rgb(0, 0, 255));
    ALLEGRO_BITMAP* screen = al_create_bitmap(200, 200);
    for (int kind = 0; kind < 2; kind++) {
        for (bool slow : {false, true}) {
            cshell shell = casing(60, 119, 0, 0, 0, slow, kind == 1);
            int ticks = 0;
            for (; shell.active() && ticks < 5000; ticks++) {
                shell.update();
                if (slow || (ticks != 298 && ticks != 349))
                    continue;
                // At life 101, then 50, still on the spot; the pivot (3, 1) sits on the casing's point.
                EXPECT_TRUE(shell.get_x() == 60 && shell.get_y() == 119 && shell.get_angle() == 0);
                al_set_target_bitmap(screen);
                al_clear_to_color(al_map_rgb(0, 0, 0));
                shell.draw();
                const float shade = ticks == 298 ? 1 : 0.5f;
                EXPECT_TRUE(pixel_is(screen, 60, 119, shade * (1 - kind), 0, shade * kind)) << ticks;
                EXPECT_TRUE(pixel_is(screen, 56, 118, 0, 0, 0));
            }
            EXPECT_EQ(ticks, slow ? 4000 : 400);
        }
    }
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

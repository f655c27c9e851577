// What the HUD draws: full bars 300 units long, the grenade icons from the
// right, only the weapon panel while the human is dead, and the crosshair
// where the player at this screen holds the mouse now.
#include <gtest/gtest.h>

#include "app/input.h"
#include "match/cgame.h"
#include "match/chud.h"
#include "match/control.h"
#include "scripted_input.h"
#include "test_fighter.h"

namespace {

class HudDraw : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        read_arena({"........", "...S....", "........", "########"});
        screen = al_create_bitmap(1920, 1080);
        ASSERT_NE(screen, nullptr);
        al_set_target_bitmap(screen);
        al_clear_to_color(al_map_rgb(0, 0, 0));
    }
    void TearDown() override
    {
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(screen);
        FighterTest::TearDown();
    }

    // The strongest channel of a pixel, and whether the others stay low.
    bool tinted(int x, int y, bool red, bool green) const
    {
        ALLEGRO_COLOR c = al_get_pixel(screen, x, y);
        return (c.r > 0.5f) == red && (c.g > 0.5f) == green && c.b < 0.3f;
    }
    bool blank(int x, int y) const
    {
        ALLEGRO_COLOR c = al_get_pixel(screen, x, y);
        return c.r + c.g + c.b == 0;
    }

    // Anything drawn in the crosshair's 16 x 16 square around (x, y).
    bool drawn_near(int x, int y) const
    {
        for (int dy = -8; dy < 8; dy++)
            for (int dx = -8; dx < 8; dx++)
                if (!blank(x + dx, y + dy))
                    return true;
        return false;
    }

    ALLEGRO_BITMAP* screen = nullptr;
};

TEST_F(HudDraw, FullBarsAreThreeHundredUnitsLong)
{
    enter(0);
    game.powerup(1000);
    hud.draw();

    EXPECT_TRUE(tinted(272, 45, true, false));
    EXPECT_TRUE(tinted(569, 45, true, false));
    EXPECT_FALSE(tinted(573, 45, true, false)) << "the health bar ends at 571";
    EXPECT_TRUE(tinted(850, 45, true, true));
    EXPECT_TRUE(tinted(1147, 45, true, true));
    EXPECT_FALSE(tinted(1151, 45, true, true));
    EXPECT_TRUE(tinted(1428, 45, false, true));
    EXPECT_TRUE(tinted(1725, 45, false, true));
    EXPECT_FALSE(tinted(1729, 45, false, true));
}

TEST_F(HudDraw, GrenadeIconsStandFromTheRight)
{
    enter(0);
    hud.draw();
    for (int x : {1140, 1115, 1090})
        EXPECT_FALSE(blank(x + 10, 82)) << "icon at " << x;
    EXPECT_TRUE(blank(1075, 82)) << "only three icons";
}

// A network match's controls act some ticks after they are read; the
// crosshair does not wait for them. A replay's follows its recording.
TEST_F(HudDraw, TheCrosshairIsWhereThePlayersMouseIsNow)
{
    enter(0);
    const struct {
        const char* what;
        int devices;
        int aiming;
        bool at_mouse;
    } table[] = {
        {"a menu match", 0, 0, true},
        {"a network match", -1, 0, true},
        {"a replay", -1, -1, false},
    };
    for (const auto& row : table) {
        device_slot = row.devices;
        aiming_slot = row.aiming;
        controls[0].pointer_x = 400;
        controls[0].pointer_y = 600;
        scripted_input::set_pointer(1200, 300);
        poll_mouse();
        al_clear_to_color(al_map_rgb(0, 0, 0));
        hud.draw();
        EXPECT_EQ(drawn_near(1200, 300), row.at_mouse) << row.what;
        EXPECT_EQ(drawn_near(400, 600), !row.at_mouse) << row.what;
    }
    device_slot = 0;
    aiming_slot = 0;
}

TEST_F(HudDraw, WhileDeadOnlyTheOpenOfferIsDrawn)
{
    players[0].init(0);
    hud.draw();
    EXPECT_TRUE(blank(960, 540)) << "no offer yet";
    EXPECT_TRUE(blank(400, 45)) << "no bars while dead";

    hud.select();
    hud.draw();
    EXPECT_FALSE(blank(960, 540));
    EXPECT_TRUE(blank(400, 45));
}

}  // namespace

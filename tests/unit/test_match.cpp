// The match controller: start, slow motion and its energy, and the HUD's
// weapon choice.
#include <gtest/gtest.h>

#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/chud.h"
#include "scripted_input.h"
#include "test_map_folder.h"

namespace {

// A one-screen arena with a floor and two spawn points, listed as the only map.
class MatchTest : public testing::Test {
protected:
    void SetUp() override
    {
        map_text arena;
        arena.columns = 48;
        arena.rows = 27;
        arena.wall = {"wall.png"};
        arena.codes.assign(48 * 27, 0);
        for (int c = 0; c < 48; c++)
            arena.codes[26 * 48 + c] = 10000;
        arena.codes[24 * 48 + 5] = 1;
        arena.codes[24 * 48 + 40] = 1;
        folder.write("zkm/arena.zkm", arena.str());
        folder.write_tile("wall.png", al_map_rgb(90, 90, 90));
        map.load();
        scripted_input::install();
        ASSERT_TRUE(game.init()) << map.get_error();
    }
    void TearDown() override
    {
        game.deinit();
        scripted_input::uninstall();
    }

    // One step with the slow-motion key down or up, as the human's control calls it.
    void step(bool key_down)
    {
        game.update();
        if (key_down)
            game.slowmotion();
    }

    temp_game_folder folder;
};

TEST_F(MatchTest, StartsWithFullEnergyAndTheChosenFighters)
{
    EXPECT_EQ(game.get_timer(), 1000);
    EXPECT_FALSE(game.get_slow_motion());
    EXPECT_EQ(game.slow(), 1.0f);
    for (int i = 0; i < max_players; i++)
        EXPECT_EQ(players[i].get_active(), i <= options.get_bots()) << "fighter " << i;
    EXPECT_EQ(hud.get_weapon(), 1);
}

TEST_F(MatchTest, HeldKeyTogglesOnceAndARepressTogglesAgain)
{
    for (int i = 0; i < 50; i++)
        step(true);
    EXPECT_TRUE(game.get_slow_motion());
    EXPECT_EQ(game.slow(), 0.1f);

    step(false);
    step(true);
    EXPECT_FALSE(game.get_slow_motion()) << "down, up, down toggles twice";

    step(true);
    EXPECT_FALSE(game.get_slow_motion()) << "two consecutive steps toggle once";
}

TEST_F(MatchTest, EnergyDrainsOneUnitPerStepUntilSlowMotionEnds)
{
    step(true);
    EXPECT_EQ(game.get_timer(), 1000) << "switched on after this step's drain";
    for (int i = 0; i < 1000; i++)
        step(false);
    EXPECT_EQ(game.get_timer(), 0);
    EXPECT_TRUE(game.get_slow_motion());
    step(false);
    EXPECT_FALSE(game.get_slow_motion());

    // Switching on with an empty store lasts until the next step's drain test.
    step(false);
    step(true);
    EXPECT_TRUE(game.get_slow_motion());
    step(false);
    EXPECT_FALSE(game.get_slow_motion());
}

TEST_F(MatchTest, PowerupIsCappedAndMinusOneEndsSlowMotion)
{
    step(true);
    for (int i = 0; i < 100; i++)
        step(false);
    EXPECT_EQ(game.get_timer(), 900);
    game.powerup(250);
    EXPECT_EQ(game.get_timer(), 1000);

    game.powerup(-1);
    EXPECT_FALSE(game.get_slow_motion());
    EXPECT_EQ(game.get_timer(), 1000);
}

TEST_F(MatchTest, ANewMatchForgetsTheLastOne)
{
    step(true);
    step(false);
    game.deinit();
    ASSERT_TRUE(game.init());
    EXPECT_EQ(game.get_timer(), 1000);
    EXPECT_FALSE(game.get_slow_motion());
}

TEST_F(MatchTest, WeaponChoiceTakesTheFirstKeyAndKeepsThePreviousOtherwise)
{
    hud.select();
    EXPECT_EQ(hud.get_weapon(), -1);
    scripted_input::set_key(ALLEGRO_KEY_3, true);
    game.update();
    EXPECT_EQ(hud.get_weapon(), 3);

    scripted_input::set_key(ALLEGRO_KEY_3, false);
    hud.select();
    scripted_input::set_key(ALLEGRO_KEY_2, true);
    game.update();
    scripted_input::set_key(ALLEGRO_KEY_2, false);
    scripted_input::set_key(ALLEGRO_KEY_4, true);
    game.update();
    EXPECT_EQ(hud.get_weapon(), 2) << "the first key closes the offer";

    // Lower keys win when several are held.
    scripted_input::set_key(ALLEGRO_KEY_1, true);
    hud.select();
    game.update();
    EXPECT_EQ(hud.get_weapon(), 1);
}

}  // namespace

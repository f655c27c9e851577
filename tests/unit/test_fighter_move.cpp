// Fighter movement through the real update: the jump, walls, ceilings,
// ledges, falling out of the map, slow motion and the leg frames.
#include <vector>

#include "map/cmap.h"
#include "match/cgame.h"
#include "scripted_input.h"
#include "test_fighter.h"

namespace {

using scripted_input::set_key;

class FighterMove : public FighterTest {
protected:
    // The mouse at the screen's right edge: the human faces right.
    void SetUp() override
    {
        FighterTest::SetUp();
        scripted_input::set_pointer(1919, 540);
    }

    // The human entered, then put at (x, y).
    cplayer& human_at(float x, float y)
    {
        cplayer& human = enter(0);
        human.place(x, y);
        return human;
    }
};

TEST_F(FighterMove, JumpRises225_75UnitsOver42TicksThenFallsBackToTheFloor)
{
    read_arena({
        "..........",
        "..........",
        "..........",
        "..........",
        "..........",
        "..........",
        ".S........",
        "..........",
        "##########",
    });
    cplayer& human = enter(0);
    const float floor_y = human.get_y();
    ASSERT_TRUE(human.down());

    std::vector<float> heights;
    for (int tick = 1; tick <= 100; tick++) {
        set_key(ALLEGRO_KEY_W, tick == 1);
        this->tick(human);
        heights.push_back(floor_y - human.get_y());
    }
    EXPECT_EQ(heights[0], 10.5f) << "the jump tick adds no gravity";
    EXPECT_EQ(heights[41], 225.75f);
    EXPECT_EQ(heights[42], 225.75f) << "the top of the jump";
    EXPECT_LT(heights[43], 225.75f);
    for (int tick = 1; tick < 42; tick++)
        EXPECT_GT(heights[tick], heights[tick - 1]) << tick;
    EXPECT_EQ(heights.back(), 0) << "back on the floor";
    EXPECT_EQ(human.get_vy(), 0);
    EXPECT_TRUE(human.down());
}

TEST_F(FighterMove, WalkingIntoAWallStopsAtItsFaceWhileTheLegsWalkOn)
{
    read_arena({
        "..........",
        "..........",
        ".S.#......",
        "...#......",
        "##########",
    });
    // One free column (x 119) between the box and the wall at 120.
    cplayer& human = human_at(80, 80);
    ASSERT_FALSE(human.right());
    set_key(ALLEGRO_KEY_D, true);
    tick(human);
    EXPECT_EQ(human.get_x(), 81);
    EXPECT_TRUE(human.right());
    EXPECT_FLOAT_EQ(human.get_frame(), 1.074f);

    tick(human, 10);
    EXPECT_EQ(human.get_x(), 81);
    EXPECT_FLOAT_EQ(human.get_frame(), 1.074f + 10 * 0.075f);
    EXPECT_EQ(human.get_y(), 80);
}

TEST_F(FighterMove, ALowCeilingStopsTheJumpAndTheFallStartsNextTick)
{
    read_arena({
        "..........",
        "####......",
        "..........",
        ".S........",
        "..........",
        "##########",
    });
    cplayer& human = enter(0);
    ASSERT_EQ(human.get_y(), 120);
    set_key(ALLEGRO_KEY_W, true);
    tick(human);
    set_key(ALLEGRO_KEY_W, false);
    tick(human, 2);
    EXPECT_EQ(human.get_y(), 89.25f);

    // The ceiling's last row is 79: the box top stops just below it.
    tick(human);
    EXPECT_EQ(human.get_y(), 80.25f);
    EXPECT_TRUE(human.up());
    EXPECT_EQ(human.get_vy(), 0);
    tick(human);
    EXPECT_EQ(human.get_vy(), 0.25f);
    EXPECT_EQ(human.get_y(), 80.5f);
}

TEST_F(FighterMove, OffALedgeTheFallAcceleratesOutOfTheMapAndKillsWithoutCredit)
{
    read_arena({
        "..........",
        "..........",
        ".S........",
        "..........",
        "###.......",
        "..........",
        "..........",
    });
    cplayer& human = human_at(118, 80);
    ASSERT_TRUE(human.down());
    cplayer& bot = enter(1);
    human.score(true);
    human.score(true);

    set_key(ALLEGRO_KEY_D, true);
    tick(human);
    EXPECT_EQ(human.get_x(), 120.5f);
    EXPECT_EQ(human.get_vy(), 0);
    set_key(ALLEGRO_KEY_D, false);
    tick(human);
    EXPECT_EQ(human.get_vy(), 0.25f);
    EXPECT_EQ(human.get_y(), 80.25f);
    tick(human);
    EXPECT_EQ(human.get_vy(), 0.5f);
    EXPECT_EQ(human.get_y(), 80.75f);

    // 280 units high: the box's top reaching the bottom edge is the end.
    int ticks = 0;
    while (human.get_health() > 0 && ticks < 100) {
        ASSERT_LT(human.get_y(), map.get_height());
        tick(human);
        ticks++;
    }
    EXPECT_LT(human.get_health(), 0);
    EXPECT_EQ(human.get_weapon(), nullptr);
    EXPECT_EQ(human.get_kills(), 2);
    EXPECT_EQ(bot.get_kills(), 0);
}

TEST_F(FighterMove, SlowMotionWalksAQuarterUnitAndMovesTheLegsATenth)
{
    read_arena({
        "..........",
        "..........",
        ".S........",
        "..........",
        "##########",
    });
    cplayer& human = enter(0);
    const float start = human.get_x();
    game.powerup(1000);
    game.slowmotion();
    ASSERT_EQ(game.slow(), 0.1f);

    set_key(ALLEGRO_KEY_D, true);
    tick(human, 4);
    EXPECT_FLOAT_EQ(human.get_x() - start, 1.0f);
    EXPECT_FLOAT_EQ(human.get_frame(), 0.999f + 4 * 0.0075f);
}

TEST_F(FighterMove, LegFramesCycleIn106TicksAndRunBackwardsFromTheTop)
{
    read_arena({"S.", "..", "##"});
    cplayer& human = enter(0);
    ASSERT_EQ(human.get_frame(), 0.999f);

    human.aim(100, 0, 0);
    human.move_right();
    human.animation();
    EXPECT_EQ(human.get_frame(), 0.999f + 0.075f);
    EXPECT_EQ(human.get_vx(), 0) << "the walking intent lasts one tick";

    // Walk forwards to the first wrap, then count one full cycle.
    int ticks = 0;
    while (human.get_frame() != 1.1f && ticks < 200) {
        human.move_right();
        human.animation();
        ticks++;
    }
    ASSERT_EQ(human.get_frame(), 1.1f);
    int cycle = 0;
    do {
        human.move_right();
        human.animation();
        cycle++;
        ASSERT_GE(static_cast<int>(human.get_frame()), 1);
        ASSERT_LE(static_cast<int>(human.get_frame()), 8);
    } while (human.get_frame() != 1.1f && cycle < 200);
    EXPECT_EQ(cycle, 106);
    // Likewise the stored 1.1f lies just above 1.1: turning backwards steps down.
    human.aim(-100, 0, 0);
    human.move_right();
    human.animation();
    EXPECT_EQ(human.get_frame(), 1.1f - 0.075f);
    human.aim(100, 0, 0);

    // Standing, then walking right while facing left: backwards from the top.
    human.animation();
    EXPECT_EQ(human.get_frame(), 0.999f);
    human.aim(-100, 0, 0);
    human.move_right();
    human.animation();
    EXPECT_EQ(human.get_frame(), 8.9f);
    human.move_right();
    human.animation();
    EXPECT_EQ(human.get_frame(), 8.9f - 0.075f);

    // The wrap tests run in double: the stored 8.9f lies just below 8.9, so
    // turning forwards at the top steps on instead of wrapping.
    human.animation();
    human.move_right();
    human.animation();
    ASSERT_EQ(human.get_frame(), 8.9f);
    human.move_left();  // facing left: forwards
    human.animation();
    EXPECT_EQ(human.get_frame(), 8.9f + 0.075f);
}

}  // namespace

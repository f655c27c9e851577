// Bullets through their real update and draw: where they stop, whom they hit,
// and the streak that grows, then catches up with the head.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "map/cmap.h"
#include "match/cgame.h"
#include "test_fighter.h"
#include "weapons/cbullet.h"

namespace {

// Ten cells wide; a wall from x = 240 on rows 0 to 2, the floor below.
const std::vector<std::string> walled_arena = {
    "......#...",
    "......#..S",
    "......#...",
    "##########",
};

class BulletTest : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        read_arena(walled_arena);
        for (cbullet& bullet : bullets)
            bullet.reset();
    }

    // Fighter i, alive with full health, its box's corner at (x, y).
    cplayer& fighter(int i, float x, float y)
    {
        players[i].init(i);
        players[i].set_health(100);
        players[i].place(x, y);
        return players[i];
    }

    // Updates the bullet until it stops; the number of ticks, or -1.
    static int ticks_to_stop(cbullet& bullet)
    {
        for (int tick = 1; tick <= 100; tick++) {
            bullet.update();
            if (!bullet.get_flying())
                return tick;
        }
        return -1;
    }
};

TEST_F(BulletTest, AStartInsideAWallLeavesTheSlotFree)
{
    cbullet bullet;
    bullet.init(250, 50, 0, 20, 0);
    EXPECT_FALSE(bullet.get_active());
    bullet.init(239.9f, 50, 0, 20, 0);
    EXPECT_TRUE(bullet.get_active());
}

TEST_F(BulletTest, StopsOneUnitShortOfAWallAndVanishesWithinThreeTicks)
{
    cbullet bullet;
    bullet.init(120, 50, 0, 20, 0);
    EXPECT_EQ(ticks_to_stop(bullet), 3);
    EXPECT_EQ(bullet.get_x(), 239);
    EXPECT_EQ(bullet.get_y(), 50);
    EXPECT_EQ(bullet.get_tail(), 59.5f);

    bullet.update();
    EXPECT_EQ(bullet.get_tail(), 9.5f);
    bullet.update();
    EXPECT_FALSE(bullet.get_active());
}

TEST_F(BulletTest, AtTheMapsEdgeItStopsWithoutHittingAnything)
{
    cbullet bullet;
    bullet.init(100, 50, 3.14159265f, 20, 0);  // flying left
    EXPECT_EQ(ticks_to_stop(bullet), 3);
    EXPECT_LT(bullet.get_x(), 1);
    EXPECT_GE(bullet.get_x(), 0);
    EXPECT_FALSE(bullet.screen());
}

TEST_F(BulletTest, InSlowMotionItFliesFiveUnitsATick)
{
    game.slowmotion();
    cbullet bullet;
    bullet.init(20, 50, 0, 20, 0);
    for (int tick = 1; tick <= 4; tick++) {
        bullet.update();
        EXPECT_FLOAT_EQ(bullet.get_x(), 20 + 5.0f * tick);
    }
    EXPECT_EQ(bullet.get_tail(), 10);
}

TEST_F(BulletTest, FighterBoxesEndExclusivelyAt39And80)
{
    fighter(2, 100, 20);
    const struct {
        float x, y;
        bool inside;
    } points[] = {
        {100, 20, true},   {138.9f, 99.9f, true}, {139, 50, false},
        {120, 100, false}, {99.9f, 50, false},    {120, 19.9f, false},
    };
    cbullet bullet;
    for (const auto& point : points)
        EXPECT_EQ(bullet.enemy(2, point.x, point.y), point.inside) << point.x << ", " << point.y;
}

TEST_F(BulletTest, HitsTheFirstLivingFighterOtherThanItsOwner)
{
    // Every fighter's box covers x 100..138 on the bullet's line; fighters 0
    // and 1 are not to be hit (owner, dead), 2 is inactive, 3 and 4 overlap.
    fighter(0, 100, 20);
    fighter(1, 100, 20).set_health(0);
    players[2].place(100, 20);
    fighter(3, 100, 20);
    fighter(4, 100, 20);

    cbullet bullet;
    bullet.init(20, 50, 0, 20, 0);
    EXPECT_EQ(bullet.player(), -1);
    EXPECT_EQ(ticks_to_stop(bullet), 2);
    EXPECT_EQ(bullet.get_x(), 99);
    EXPECT_EQ(players[3].get_health(), 80);
    EXPECT_EQ(players[4].get_health(), 100);

    // A killing hit credits the shooter; its own fighter never stops its bullet.
    players[3].set_health(20);
    bullet.init(20, 50, 0, 20, 0);
    ticks_to_stop(bullet);
    EXPECT_LE(players[3].get_health(), 0);
    EXPECT_EQ(players[0].get_kills(), 1);
}

TEST_F(BulletTest, StreakGrowsTo127ThenShrinksBy50ATick)
{
    read_arena({"...................S", "####################"});
    cbullet bullet;
    bullet.init(0, 20.5f, 0, 20, 0);  // 800 units of open air
    std::vector<float> tails;
    for (int tick = 0; tick < 6; tick++) {
        bullet.update();
        tails.push_back(bullet.get_tail());
    }
    EXPECT_EQ(tails, (std::vector<float>{25, 50, 75, 100, 125, 127}));

    // Drawn with alpha 2 x tail: 254 at full length, a hairline from the head back.
    map.set_screen(0, 0);
    ALLEGRO_BITMAP* screen = al_create_bitmap(800, 80);
    al_set_target_bitmap(screen);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    bullet.draw();
    const ALLEGRO_COLOR head = al_get_pixel(screen, 299, 20);
    const ALLEGRO_COLOR end = al_get_pixel(screen, 174, 20);
    const ALLEGRO_COLOR beyond = al_get_pixel(screen, 171, 20);
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
    EXPECT_NEAR(head.r, 254.0f / 255, 0.01f);
    EXPECT_NEAR(end.r, 254.0f / 255, 0.01f);
    EXPECT_EQ(beyond.r, 0);

    while (bullet.get_flying())
        bullet.update();
    std::vector<float> fading;
    for (; bullet.get_active(); bullet.update())
        fading.push_back(bullet.get_tail());
    EXPECT_EQ(fading, (std::vector<float>{127, 77, 27}));
}

}  // namespace

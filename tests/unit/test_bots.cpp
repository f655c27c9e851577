// Bots through their real update: the waypoint table, walking and jumping,
// whom they see and pick, reaction time by skill, grenades at fighters on
// their level, crowding, and the minigun kept turning.
#include <cstdlib>
#include <set>

#include <gtest/gtest.h>

#include "map/cmap.h"
#include "match/cgame.h"
#include "test_fighter.h"
#include "weapons/cbullet.h"
#include "weapons/cgrenade.h"

namespace {

const int hard = 0;
const int easy = 2;
// Open floor on both sides of a wall at x 440..479; fighters standing on
// the floor have y 80.
const float floor_y = 80;
const std::vector<std::string> walled_floor = {
    "S.....................",
    "...........#..........",
    "...........#..........",
    "...........#..........",
    "######################",
};

class BotTest : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        game.set_skill(hard);
        for (cbullet& bullet : bullets)
            bullet.reset();
        for (cgrenade& grenade : grenades)
            grenade.reset();
    }
    void TearDown() override
    {
        game.set_skill(1);
        FighterTest::TearDown();
    }

    // Fighter `id` alive at (x, y) with gun `weapon`, standing still.
    cplayer& fighter_at(int id, float x, float y, int weapon = 2)
    {
        cplayer& fighter = enter(id);
        fighter.place(x, y);
        fighter.give_weapon(weapon);
        fighter.steer(0);
        return fighter;
    }

    static bool has_fired(const cplayer& bot) { return bot.get_ammo() < 1; }
};

TEST_F(BotTest, WaypointsSetTheHeadingAndDrawOnlyWhereTheyChoose)
{
    // Marker k lies in column k of row 1; column 0 has none.
    read_arena({"......................", ".abcdefghijklmnop.....", "......................",
                "######################"});
    const int none = 0, jump = 1, right = 2, left = 3;
    const struct {
        int kind, before;
        std::set<int> after;
    } table[] = {
        {0, right, {right}},        {1, left, {left}},          {9, right, {right}},
        {2, right, {jump}},         {10, none, {jump}},         {3, left, {right}},
        {11, none, {right}},        {4, right, {left}},         {12, none, {left}},
        {5, left, {jump, left}},    {5, right, {jump, right}},  {13, none, {jump, right}},
        {6, left, {left}},          {6, right, {right}},        {14, none, {right, left}},
        {7, right, {jump, right}},  {7, left, {jump, left}},    {15, none, {jump, left}},
        {8, none, {jump, right, left}}, {16, right, {jump, right}}, {8, left, {jump, left}},
    };
    cplayer& bot = fighter_at(1, 0, 0);
    for (const auto& row : table) {
        const int base = row.kind >= 10 ? row.kind - 8 : row.kind;
        const bool draws = base >= 5 && base <= 8;
        std::set<int> seen;
        for (int trial = 0; trial < 60; trial++) {
            bot.place(row.kind * 40.0f, 40);
            bot.steer(row.before);
            std::srand(trial);
            bot.bot_move();
            seen.insert(bot.get_heading());
            if (!draws) {
                const int next = std::rand();
                std::srand(trial);
                EXPECT_EQ(next, std::rand()) << "kind " << row.kind << " drew a number";
            }
        }
        EXPECT_EQ(seen, row.after) << "kind " << row.kind << " from heading " << row.before;
    }
}

TEST_F(BotTest, AWalkingBotJumpsUpAOneCellStep)
{
    read_arena({"S...................", "....................", "....................",
                "......##############", "####################"});
    cplayer& bot = fighter_at(1, 40, 80);
    bot.steer(2);
    tick(bot, 150);
    EXPECT_GT(bot.get_x(), 240) << "it stopped at the step";
    EXPECT_LT(bot.get_y(), 41) << "on top of the step";
    EXPECT_TRUE(bot.down());
}

TEST_F(BotTest, SeesTheNearestFighterThatNoWallHidesAndNoneWithin40)
{
    read_arena(walled_floor);
    cplayer& bot = fighter_at(1, 500, floor_y);
    fighter_at(2, 360, floor_y);  // behind the wall, nearest
    fighter_at(3, 800, floor_y);
    EXPECT_EQ(bot.bot_target(), 3);

    fighter_at(4, 530, floor_y);  // 30 units away: too close to fight
    fighter_at(5, 700, floor_y);
    EXPECT_EQ(bot.bot_target(), 5);
}

TEST_F(BotTest, ACrowdedBotStandsStillForAWhile)
{
    read_arena(walled_floor);
    cplayer& bot = fighter_at(1, 500, floor_y);
    fighter_at(2, 530, floor_y);
    float longest_pause = 0;
    for (int step = 0; step < 1500; step++) {
        tick(bot);
        longest_pause = std::max(longest_pause, bot.get_pause());
    }
    EXPECT_GE(longest_pause, 100);
    EXPECT_LE(longest_pause, 300);
    EXPECT_FALSE(has_fired(bot));
}

TEST_F(BotTest, HardActsAtOnceEasyWaitsAndItsCountdownRecoversOnlyOutOfSight)
{
    read_arena(walled_floor);
    cplayer& quick = fighter_at(1, 500, floor_y);
    fighter_at(0, 800, floor_y - 60);
    tick(quick);
    EXPECT_TRUE(has_fired(quick));

    // The target is out of sight while the bot enters.
    game.set_skill(easy);
    players[0].set_health(0);
    cplayer& slow = fighter_at(1, 500, floor_y);
    players[0].set_health(100);
    int first_shot = 0;
    for (int step = 1; step <= 150 && !first_shot; step++) {
        tick(slow);
        if (step == 50) {
            EXPECT_NEAR(slow.get_angle(), 0, 0.05) << "while reacting it looks along its way";
        }
        if (has_fired(slow))
            first_shot = step;
    }
    EXPECT_EQ(first_shot, 101);
    EXPECT_LT(slow.get_angle(), -0.05) << "then it aims at the target above it";

    // Out of sight for 30 ticks, it needs 30 ticks again.
    players[0].set_health(0);
    tick(slow, 30);
    players[0].set_health(100);
    slow.give_weapon(2);
    tick(slow, 30);
    EXPECT_FALSE(has_fired(slow));
    tick(slow);
    EXPECT_TRUE(has_fired(slow));
}

TEST_F(BotTest, LobsAGrenadeAtAFighterOnItsLevelOnce151UnitsAway)
{
    read_arena(walled_floor);
    cplayer& bot = fighter_at(1, 500, floor_y);
    tick(bot, 3000);  // the wait before a first grenade runs out
    ASSERT_EQ(bot.get_grenades(), 3);

    fighter_at(2, 651, floor_y);
    tick(bot);
    EXPECT_EQ(bot.get_grenades(), 2);
    EXPECT_TRUE(grenades[0].active());
    EXPECT_EQ(bot.get_pause(), 200);
    EXPECT_FALSE(has_fired(bot));

    // Not on the same level: shots only.
    players[2].place(651, floor_y - 40);
    cplayer& other = fighter_at(3, 500, floor_y);
    tick(other, 3000);
    EXPECT_EQ(other.get_grenades(), 3);
    EXPECT_TRUE(has_fired(other));
}

TEST_F(BotTest, AMinigunKeepsTurningUntilItFires)
{
    read_arena(walled_floor);
    cplayer& bot = fighter_at(1, 500, floor_y, 4);
    fighter_at(2, 800, floor_y);
    tick(bot, 98);
    EXPECT_FALSE(has_fired(bot));
    tick(bot, 3);
    EXPECT_TRUE(has_fired(bot));
}

}  // namespace

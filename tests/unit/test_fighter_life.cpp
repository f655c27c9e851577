// The fighter's life cycle through the real updates: the wait before entry,
// the weapon offer, colours, damage and death, kill credit, energy and the
// death sound.
#include <cstdlib>
#include <sstream>
#include <vector>

#include "app/assets.h"
#include "app/sound.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/chud.h"
#include "scripted_input.h"
#include "test_fighter.h"

namespace {

const std::vector<std::string> small_arena = {
    "..........",
    ".S....S...",
    "..........",
    "##########",
};

struct rgb {
    unsigned char r, g, b;
    bool operator==(const rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};

rgb unmap(ALLEGRO_COLOR colour)
{
    rgb result;
    al_unmap_rgb(colour, &result.r, &result.g, &result.b);
    return result;
}

// The fighter palette by index.
const rgb palette[6] = {
    {192, 0, 0}, {64, 32, 0}, {0, 128, 0}, {0, 0, 192}, {32, 32, 32}, {192, 192, 192},
};

bool at_spawn_point(const cplayer& fighter)
{
    for (int i = 0; i < map.get_nsp(); i++)
        if (fighter.get_x() == map.get_spx(i) && fighter.get_y() == map.get_spy(i))
            return true;
    return false;
}

std::vector<sound_event> heard;

void listen(const sound_event& event)
{
    heard.push_back(event);
}

class FighterLife : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        read_arena(small_arena);
        heard.clear();
        set_sound_listener(listen);
    }
};

TEST_F(FighterLife, MatchStartHumanEntersOnTick498BotsOn501OfferOn150)
{
    const int bots = 3;
    for (int i = 0; i <= bots; i++)
        players[i].init(i);

    int offer_tick = 0, human_tick = 0, bot_tick = 0;
    for (int tick = 1; tick <= 501; tick++) {
        step();
        if (!offer_tick && hud.get_weapon() < 0)
            offer_tick = tick;
        if (!human_tick && players[0].get_health() > 0)
            human_tick = tick;
        if (!bot_tick && players[1].get_health() > 0)
            bot_tick = tick;
        if (tick == 500) {
            EXPECT_EQ(players[bots].get_health(), 0);
        }
    }
    EXPECT_EQ(offer_tick, 150);
    EXPECT_EQ(human_tick, 498);
    EXPECT_EQ(bot_tick, 501);

    for (int i = 0; i <= bots; i++) {
        const cplayer& fighter = players[i];
        EXPECT_EQ(fighter.get_health(), 100) << i;
        EXPECT_EQ(fighter.get_grenades(), 3) << i;
        EXPECT_TRUE(at_spawn_point(fighter)) << i;
        ASSERT_NE(fighter.get_weapon(), nullptr) << i;
    }
    EXPECT_EQ(players[0].get_weapon()->get_type(), 0) << "the first life has the pistol";
    for (int i = bots + 1; i < max_players; i++)
        EXPECT_FALSE(players[i].get_active()) << i;
}

TEST_F(FighterLife, OfferOpensOnce150TicksAfterDeathAndArmsTheNextLife)
{
    enter(0);
    enter(1);
    players[0].damage(1000, 500, 1);
    ASSERT_LT(players[0].get_health(), 0);
    EXPECT_EQ(players[0].get_weapon(), nullptr);

    std::vector<int> openings;
    int previous = hud.get_weapon();
    int entry_tick = 0;
    for (int tick = 1; tick <= 600 && !entry_tick; tick++) {
        scripted_input::set_key(ALLEGRO_KEY_3, tick == 300);
        step();
        if (previous > 0 && hud.get_weapon() < 0)
            openings.push_back(tick);
        previous = hud.get_weapon();
        if (players[0].get_health() > 0)
            entry_tick = tick;
    }
    EXPECT_EQ(openings, std::vector<int>{150});
    EXPECT_EQ(entry_tick, 498);
    ASSERT_NE(players[0].get_weapon(), nullptr);
    EXPECT_EQ(players[0].get_weapon()->get_type(), 2) << "3 picks the shotgun";

    // Dying again with no key pressed keeps the shotgun.
    players[0].damage(1000, 500, 1);
    step(498);
    ASSERT_GT(players[0].get_health(), 0);
    EXPECT_EQ(players[0].get_weapon()->get_type(), 2);
}

TEST_F(FighterLife, BotsNeverWearOneColourTheHumanWearsTheChosenOnes)
{
    for (unsigned seed = 0; seed < 60; seed++) {
        std::srand(seed);
        players[1].init(1);
        EXPECT_FALSE(unmap(players[1].get_color(0)) == unmap(players[1].get_color(1))) << seed;
    }
    players[0].init(0);
    EXPECT_EQ(players[0].get_head(), options.color(0));
    EXPECT_EQ(unmap(players[0].get_color(0)), palette[options.color(1)]);
    EXPECT_EQ(unmap(players[0].get_color(1)), palette[options.color(2)]);
}

TEST_F(FighterLife, AHitOfExactlyTheRemainingHealthKills)
{
    cplayer& bot = enter(1);
    bot.set_health(20);
    bot.damage(0, 19.5f, -1);
    EXPECT_EQ(bot.get_health(), 0.5f);
    EXPECT_NE(bot.get_weapon(), nullptr);

    bot.set_health(20);
    bot.damage(0, 20, -1);
    EXPECT_EQ(bot.get_health(), -500);
    EXPECT_EQ(bot.get_weapon(), nullptr);
    EXPECT_EQ(bot.get_ammo(), 0) << "an empty hand reads as an empty magazine";

    cplayer& human = enter(0);
    human.deinit();
    EXPECT_EQ(human.get_weapon(), nullptr);
}

TEST_F(FighterLife, KillsAndEnergyGoToTheRightFighter)
{
    cplayer& human = enter(0);
    cplayer& bot = enter(1);
    cplayer& other = enter(2);

    // Energy starts at 0 here, so every gain shows.
    bot.damage(0, 30, 0);
    EXPECT_EQ(game.get_timer(), 50);
    bot.damage(0, 100, 0);
    EXPECT_EQ(human.get_kills(), 1);
    EXPECT_EQ(game.get_timer(), 300);

    // A corpse takes no second blow: no second kill, no energy.
    bot.damage(0, 100, 0);
    EXPECT_EQ(human.get_kills(), 1);
    EXPECT_EQ(game.get_timer(), 300);

    // A bot's hits feed nobody's energy; the human's death ends slow motion.
    game.powerup(1000);
    game.slowmotion();
    ASSERT_TRUE(game.get_slow_motion());
    human.damage(0, 10, 2);
    EXPECT_EQ(game.get_timer(), 1000);
    EXPECT_TRUE(game.get_slow_motion());
    human.damage(0, 100, 2);
    EXPECT_EQ(other.get_kills(), 1);
    EXPECT_FALSE(game.get_slow_motion());

    // Killing oneself costs a kill, but never below 0.
    for (int expected : {0, 0}) {
        human.set_health(100);
        human.damage(1000, 100, 0);
        EXPECT_EQ(human.get_kills(), expected);
    }
}

TEST_F(FighterLife, DeathSoundIsLoudInViewQuietOutsideAndSlowInSlowMotion)
{
    cplayer& bot = enter(1);
    bot.damage(0, 10, 0);
    EXPECT_TRUE(heard.empty()) << "a wound is silent";

    map.set_screen(0, 0);
    bot.damage(0, 100, 0);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].pair, sblood);
    EXPECT_EQ(heard[0].variant, 0);
    EXPECT_EQ(heard[0].gain, 1.0f);

    // The view's left and top edges belong to it, its right and bottom edges do not.
    game.powerup(1000);
    game.slowmotion();
    const float expected_gain[3] = {0.25f, 1.0f, 0.25f};
    for (int death = 0; death < 3; death++) {
        enter(1);
        const int x = static_cast<int>(bot.get_x());
        const int y = static_cast<int>(bot.get_y());
        if (death == 0)
            map.set_screen(x - 1920, y);
        else if (death == 1)
            map.set_screen(x, y);
        else
            map.set_screen(x, y - 1080);
        bot.damage(0, 100, 2);
        ASSERT_EQ(heard.size(), 2u + death);
        EXPECT_EQ(heard.back().variant, 1) << death;
        EXPECT_EQ(heard.back().gain, expected_gain[death]) << death;
    }
}

TEST_F(FighterLife, WithoutSpawnPointsNobodyEntersAndNothingBreaks)
{
    std::istringstream no_spawn("80 80 0 0 0 0 0 0 0 0 0 0 0 0");
    ASSERT_FALSE(map.read(no_spawn, "empty.zkm"));
    ASSERT_EQ(map.get_nsp(), 0);

    players[0].init(0);
    players[1].init(1);
    step(600);
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(players[i].get_health(), 0) << i;
        EXPECT_EQ(players[i].get_weapon(), nullptr) << i;
    }
}

}  // namespace

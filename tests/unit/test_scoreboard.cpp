// The scoreboard's order, the kill feed's rules, the watcher that fills
// them from the fighters after a step, and the backing behind a dark shirt.
#include <gtest/gtest.h>

#include "fighters/last_blow.h"
#include "match/kill_feed.h"
#include "match/score_watch.h"
#include "match/scoreboard.h"
#include "test_fighter.h"

namespace {

struct order_case {
    const char* what;
    std::vector<scoreboard_row> rows;  // slot, name, kills, deaths
    std::vector<int> slots;            // expected order
};

TEST(Scoreboard, SortsByKillsThenFewerDeathsThenSlot)
{
    const order_case cases[] = {
        {"most kills first", {{0, "A", 1, 0}, {1, "B", 3, 0}, {2, "C", 2, 0}}, {1, 2, 0}},
        {"a tie in kills: fewer deaths first", {{0, "A", 2, 5}, {1, "B", 2, 1}, {2, "C", 2, 3}}, {1, 2, 0}},
        {"a full tie: the lower slot first", {{3, "D", 1, 1}, {0, "A", 1, 1}, {2, "C", 1, 1}}, {0, 2, 3}},
        {"kills outrank deaths", {{0, "A", 0, 0}, {1, "B", 1, 9}}, {1, 0}},
        {"nobody", {}, {}},
    };
    for (const order_case& test : cases) {
        std::vector<int> slots;
        for (const scoreboard_row& row : sorted_scoreboard(test.rows))
            slots.push_back(row.slot);
        EXPECT_EQ(slots, test.slots) << test.what;
    }
}

TEST(Scoreboard, NamesHumansThenBotsByTheirOrder)
{
    const std::vector<std::string> humans = {"ANNA", "BEN"};
    EXPECT_EQ(fighter_name(1, humans), "BEN");
    EXPECT_EQ(fighter_name(2, humans), "BOT 1");
    EXPECT_EQ(fighter_name(10, humans), "BOT 9");
    EXPECT_EQ(fighter_name(10, {"SOLO"}), "BOT 10");
}

TEST(KillFeed, KeepsTheLastFiveForFiveSecondsNewestFirst)
{
    kill_feed feed;
    for (int victim = 0; victim < 7; victim++)
        feed.add(9, 0, victim, static_cast<std::uint32_t>(victim * 100));
    std::vector<int> victims;
    for (const kill_entry& entry : feed.shown(600))
        victims.push_back(entry.victim);
    EXPECT_EQ(victims, (std::vector<int>{6, 5, 4, 3, 2})) << "five, newest on top";
    EXPECT_EQ(feed.shown(699).size(), 5u) << "the oldest, from tick 200, lasts 500 ticks";
    EXPECT_EQ(feed.shown(700).size(), 4u);
    EXPECT_TRUE(feed.shown(1100).empty());
}

TEST(KillFeed, AFallOrOnesOwnGrenadeShowsTheVictimAlone)
{
    struct alone_case {
        int killer, cause, victim, shown_killer;
    };
    const alone_case cases[] = {
        {2, 1, 4, 2},              // a shot by another
        {2, blow_grenade, 4, 2},   // another's grenade
        {4, blow_grenade, 4, -1},  // one's own grenade
        {-1, blow_fall, 4, -1},    // a fall
        {2, blow_fall, 4, -1},     // a fall is nobody's doing
    };
    for (const alone_case& test : cases) {
        kill_feed feed;
        feed.add(test.killer, test.cause, test.victim, 0);
        ASSERT_EQ(feed.shown(0).size(), 1u);
        EXPECT_EQ(feed.shown(0)[0].killer, test.shown_killer) << test.killer << " " << test.cause;
    }
}

class ScoreWatch : public FighterTest {};

TEST_F(ScoreWatch, CountsADeathAndFeedsItsBlow)
{
    read_arena({"........", "...S....", "........", "########"});
    score_watch watch;
    watch.reset();
    cplayer& shooter = enter(0);
    cplayer& victim = enter(1);
    watch.watch();
    shooter.give_weapon(4);  // the minigun, type 3
    victim.damage(0, 1000, 0);
    watch.watch();
    EXPECT_EQ(watch.get_deaths()[1], 1);
    EXPECT_EQ(watch.get_deaths()[0], 0);
    ASSERT_EQ(watch.feed_now().size(), 1u);
    EXPECT_EQ(watch.feed_now()[0].killer, 0);
    EXPECT_EQ(watch.feed_now()[0].cause, 3) << "the shooter's gun names the shot";
    watch.watch();
    EXPECT_EQ(watch.get_deaths()[1], 1) << "a death counts once";
}

class ScoreboardDraw : public FighterTest {};

TEST_F(ScoreboardDraw, ADarkShirtStandsOnALightBacking)
{
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    ASSERT_NE(screen, nullptr);
    al_set_target_bitmap(screen);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    scoreboard_row light{0, "A", 2, 0, -1, al_map_rgb(255, 255, 255)};
    scoreboard_row dark{1, "B", 1, 0, -1, al_map_rgb(0, 0, 0)};
    draw_scoreboard({light, dark}, 0, false);
    // Rows start 40 units apart below the heading; x near the table's right end.
    const ALLEGRO_COLOR under_light = al_get_pixel(screen, 1300, 230 + 40 + 10);
    const ALLEGRO_COLOR under_dark = al_get_pixel(screen, 1300, 230 + 80 + 10);
    EXPECT_LT(under_light.r, 0.3f);
    EXPECT_GT(under_dark.r, 0.6f);
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

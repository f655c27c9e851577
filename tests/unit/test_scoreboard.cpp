// The scoreboard's order, the kill feed's rules, the watcher that fills
// them from the match's events, and the backing behind a dark shirt.
#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

#include "fighters/last_blow.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/kill_feed.h"
#include "match/match_tally.h"
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

// A log by hand: a kill by slot 0's minigun, slot 2's own grenade, then a
// human coming in for slot 0's bot, each watched as far as it is final.
TEST(ScoreWatch, ShowsAndCountsWhatHadHappenedByTheFinalTick)
{
    match_events events;
    events.death(1, 0, 3);
    events.step_taken();
    events.death(2, 2, blow_grenade);
    events.step_taken();
    events.entry(0);
    events.step_taken();
    const struct {
        std::uint32_t final_tick;
        std::vector<int> victims;  // the feed, newest first
        std::vector<std::vector<int>> scores;  // kills, deaths of slots 0..2
    } table[] = {
        {0, {}, {{0, 0}, {0, 0}, {0, 0}}},
        {1, {1}, {{1, 0}, {0, 1}, {0, 0}}},
        {1, {1}, {{1, 0}, {0, 1}, {0, 0}}},  // once only
        {2, {2, 1}, {{1, 0}, {0, 1}, {0, 1}}},
        {3, {2, 1}, {{0, 0}, {0, 1}, {0, 1}}},  // the newcomer starts afresh
    };
    score_watch watch;
    watch.reset(events, 0);
    for (const auto& row : table) {
        watch.watch(events, row.final_tick);
        std::vector<int> victims;
        for (const kill_entry& entry : watch.feed_now())
            victims.push_back(entry.victim);
        EXPECT_EQ(victims, row.victims) << "final after " << row.final_tick;
        for (int slot = 0; slot < 3; slot++) {
            const std::size_t at = static_cast<std::size_t>(slot);
            const fighter_score score = at < watch.get_scores().size() ? watch.get_scores()[at] : fighter_score{};
            EXPECT_EQ((std::vector<int>{score.kills, score.deaths}), row.scores[at])
                << "slot " << slot << ", final after " << row.final_tick;
        }
    }
    ASSERT_EQ(watch.feed_now().size(), 2u);
    EXPECT_EQ(watch.feed_now()[1].cause, 3) << "the gun's type names the shot";
    EXPECT_EQ(watch.feed_now()[0].killer, -1) << "one's own grenade shows the victim alone";
    // A replay seeks: the feed starts afresh there, the counts stay whole.
    watch.reset(events, 2);
    EXPECT_TRUE(watch.feed_now().empty());
    EXPECT_EQ(watch.get_scores()[2].deaths, 1);
}

// A real match of bots: each death the step records is read once, and the
// feed, the tally and the scoreboard agree with the fighters' own counts.
TEST(ScoreWatch, OneDeathIsReadAlikeByTheFeedTheTallyAndTheScoreboard)
{
    std::ifstream file("zkm/tower.zkm");
    ASSERT_TRUE(map.read(file, "zkm/tower.zkm")) << map.get_error();
    std::srand(31);
    const int bots = options.get_bots();
    options.set_bots(10);
    game = cgame();
    game.start();
    match_events events;
    score_watch watch;
    watch.reset(events, 0);
    match_tally tally;
    tally.start();
    std::vector<match_event> fed;
    for (int step = 0; step < 6000; step++) {
        const std::size_t before = events.all().size();
        game.update(&events);
        watch.watch(events, events.get_steps());
        tally.watch(events);
        for (std::size_t at = before; at < events.all().size(); at++)
            fed.push_back(events.all()[at]);
    }
    int deaths = 0;
    for (int slot = 0; slot <= 10; slot++) {
        const fighter_score score = watch.get_scores().at(static_cast<std::size_t>(slot));
        EXPECT_EQ(score.kills, players[slot].get_kills()) << "slot " << slot;
        EXPECT_EQ(score.deaths, players[slot].get_deaths()) << "slot " << slot;
        EXPECT_EQ(tally.get(slot).kills, score.kills) << "slot " << slot;
        EXPECT_EQ(tally.get(slot).deaths, score.deaths) << "slot " << slot;
        deaths += score.deaths;
    }
    EXPECT_GT(deaths, 5);
    EXPECT_EQ(static_cast<int>(fed.size()), deaths) << "each death recorded once, nothing else";
    // The feed: the newest deaths of the last five seconds, newest first.
    // Its clock counts the updates watched: a death by step n came on update n - 1.
    std::vector<int> recent;
    for (auto death = fed.rbegin(); death != fed.rend() && recent.size() < kill_feed::most_shown; ++death)
        if (death->tick - 1 + kill_feed::shown_ticks > events.get_steps())
            recent.push_back(death->slot);
    std::vector<int> shown;
    for (const kill_entry& entry : watch.feed_now())
        shown.push_back(entry.victim);
    EXPECT_EQ(shown, recent);
    game.deinit();
    options.set_bots(bots);
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

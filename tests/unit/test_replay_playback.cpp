// Replays through the real step: a match played on scripted controls and
// recorded plays back from its file to the same checkpoints, a checkpoint
// that disagrees is caught at its tick, and the death replay leaves the
// match exactly as it held it, in slow motion, after a fall off the map and
// when F comes late; a player who came in late takes over a bot's fighter at
// its tick, and seeking across it lands where playing through does.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "app/input.h"
#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "frontend/settings_file.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/control.h"
#include "match/match_hash.h"
#include "match/match_setup.h"
#include "replay/death_replay.h"
#include "replay/match_recorder.h"
#include "replay/replay_player.h"
#include "scripted_input.h"
#include "test_fighter.h"

namespace {

const std::uint32_t seed = 99;

std::string tower_text()
{
    std::ifstream file("zkm/tower.zkm");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A hand on the controls that walks, jumps, aims about and fires in bursts,
// the same on every run.
void scripted_hand(int tick)
{
    using namespace scripted_input;
    set_key(ALLEGRO_KEY_D, tick % 400 < 150);
    set_key(ALLEGRO_KEY_A, tick % 400 >= 250);
    set_key(ALLEGRO_KEY_W, tick % 90 == 0);
    set_key(ALLEGRO_KEY_2, tick % 700 == 10);
    set_pointer(600 + (tick * 7) % 700, 300 + (tick * 3) % 500);
    set_button(1, tick % 60 < 35);
    set_button(2, tick % 500 > 470);
}

class ReplayPlayback : public testing::Test {
protected:
    void SetUp() override
    {
        scripted_input::install();
        kept = options.get_kept();
        options.set_bots(3);
        options.set_skill(1);
    }
    void TearDown() override
    {
        game.deinit();
        options.restore(kept);
        scripted_input::uninstall();
        device_slot = 0;
    }

    // Starts a match on tower as the menu would, recorded.
    void start_recorded()
    {
        match_setup setup = setup_from_options(seed);
        setup.map_name = "tower.zkm";
        setup.map_text = tower_text();
        std::string error;
        ASSERT_TRUE(starter.start(setup, seat_at_keyboard, error)) << error;
        recorder.start(setup);
        events.clear();
    }
    void live_step(int tick)
    {
        scripted_hand(tick);
        game.update(&events);
        recorder.step_taken(read_devices());
    }

    kept_settings kept;
    match_starter starter;
    match_recorder recorder;
    match_events events;
};

TEST_F(ReplayPlayback, ARecordedMatchPlaysBackToEveryCheckpointAndAChangedOneIsCaught)
{
    start_recorded();
    for (int tick = 0; tick < 2300; tick++)
        live_step(tick);
    const std::uint64_t live_hash = match_hash();
    replay_data recorded, old_recorded;
    std::string error;
    ASSERT_TRUE(unpack_replay(pack_replay(recorder.finish()), recorded, error)) << error;
    ASSERT_EQ(recorded.checkpoints.size(), 3u);
    EXPECT_EQ(recorded.setup.humans[0].name, options.get_player_name());
    // The same match as the first version wrote it, without names, plays the same.
    const std::string old_file = wrap_replay_body(pack_replay_body(recorder.finish(), 1), 1);
    ASSERT_TRUE(unpack_replay(old_file, old_recorded, error)) << error;

    options.set_skill(2);  // the replay's bots fight as they did, at 1
    const kept_settings own = options.get_kept();
    for (int run = 0; run < 3; run++) {
        const bool tampered = run == 1;
        replay_data replay = run == 2 ? old_recorded : recorded;
        if (tampered)
            replay.checkpoints[1].hash ^= 1;
        replay_player player;
        ASSERT_TRUE(player.start(replay, error)) << error;
        while (player.step()) {
        }
        player.stop();
        if (tampered) {
            EXPECT_EQ(player.get_mismatch(), 2000);
            continue;
        }
        EXPECT_EQ(player.get_mismatch(), -1);
        EXPECT_EQ(player.checkpoints_passed(), 3);
        EXPECT_EQ(player.get_tick(), 2300u);
        EXPECT_EQ(match_hash(), live_hash);
        EXPECT_TRUE(options.get_kept() == own) << "the player's own settings, untouched";
    }
}

TEST_F(ReplayPlayback, TheDeathReplayLeavesTheHeldMatchAsItWas)
{
    enum death_kind { shot, fell };
    const struct {
        death_kind kind;
        bool slow_motion;
        int steps_after;  // before F is pressed
    } cases[] = {{shot, false, 20}, {shot, true, 20}, {fell, false, 20}, {shot, false, 350}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "fell " << (c.kind == fell) << " slow " << c.slow_motion << " after "
                                        << c.steps_after);
        start_recorded();
        death_replay death;
        death.reset();
        death.watch(recorder, events);
        int tick = 0;
        int alive_since = 0;
        auto step = [&] {
            live_step(tick);
            death.watch(recorder, events);
            tick++;
            if (players[0].get_health() <= 0)
                alive_since = tick;
        };
        // Alive through the whole of the three seconds to be shown.
        while (tick < 1500 || tick - alive_since < 400)
            step();
        if (c.slow_motion && !game.get_slow_motion())
            game.slowmotion();
        if (c.kind == shot)
            shoot_dead(players[0], 1);
        else
            players[0].place(players[0].get_x(), static_cast<float>(map.get_height() + 200));
        for (int i = 0; i < c.steps_after; i++)
            step();
        ASSERT_LE(players[0].get_health(), 0);
        ASSERT_TRUE(death.available());

        const std::uint64_t held = match_hash();
        death.begin(recorder);
        ASSERT_TRUE(death.running());
        int timer_ticks = 0;
        bool shown_alive = false;
        while (death.running() && timer_ticks < 10000) {
            death.update(recorder);
            death.draw([&] { shown_alive = shown_alive || players[0].get_health() > 0; });
            timer_ticks++;
        }
        EXPECT_FALSE(death.running());
        EXPECT_TRUE(shown_alive) << "it starts before the death";
        // Three seconds before, the steps since (half a second at most), a
        // quarter of the speed.
        const int shown_after = std::min(c.steps_after, 50);
        EXPECT_GE(timer_ticks, 4 * 300);
        EXPECT_LE(timer_ticks, 4 * (300 + shown_after + 10));
        EXPECT_EQ(match_hash(), held);
        EXPECT_EQ(device_slot, 0);
        game.deinit();
    }
}

}  // namespace

namespace {

TEST_F(ReplayPlayback, SeekingLandsOnTheHashOfPlayingStraightThrough)
{
    start_recorded();
    for (int tick = 0; tick < 2600; tick++)
        live_step(tick);
    const replay_data replay = recorder.finish();
    game.deinit();

    // The hashes played straight through, at the ticks to seek to.
    const std::uint32_t targets[] = {1500, 700, 2600, 2100, 0, 1999};
    std::map<std::uint32_t, std::uint64_t> straight;
    replay_player player;
    std::string error;
    ASSERT_TRUE(player.start(replay, error)) << error;
    do {
        for (std::uint32_t target : targets)
            if (player.get_tick() == target)
                straight[target] = match_hash();
    } while (player.step());
    player.stop();
    game.deinit();

    for (bool scouted : {false, true}) {
        SCOPED_TRACE(scouted ? "after the scout played ahead" : "without the scout");
        ASSERT_TRUE(player.start(replay, error)) << error;
        if (scouted)
            for (int update = 0; update < 40; update++)
                player.scout(50);
        EXPECT_EQ(player.get_tick(), 0u) << "the scout leaves the watched match where it was";
        for (std::uint32_t target : targets) {
            player.seek(target);
            EXPECT_EQ(player.get_tick(), target);
            EXPECT_EQ(match_hash(), straight[target]) << "at " << target;
        }
        EXPECT_EQ(player.get_kept(), 3u) << "ticks 0, 1000 and 2000";
        player.seek(2600);
        EXPECT_TRUE(player.finished());
        EXPECT_EQ(player.get_mismatch(), -1);
        player.stop();
        game.deinit();
    }
}

// A second player came in at tick 600 on the first bot's fighter, held right
// and fire until 1300 and left again; the replay has been through its file.
TEST_F(ReplayPlayback, ALateHumanTakesOverABotAtItsTickAndSeekingAcrossItLandsTheSame)
{
    const std::uint32_t entry = 600, leaving = 1300;
    start_recorded();
    for (int tick = 0; tick < 1500; tick++)
        live_step(tick);
    replay_data made = recorder.finish();
    game.deinit();
    made.checkpoints.clear();  // the live match had no late player
    recorded_human late;
    made.setup.humans.push_back({{0, 0, 3}, "LATE"});
    late.first_tick = entry;
    control_reading reading;
    reading.keys = key_right;
    reading.buttons = button_fire;
    late.runs.push_back({reading, leaving - entry});
    made.humans.push_back(late);
    replay_data replay;
    std::string error;
    ASSERT_TRUE(unpack_replay(pack_replay(made), replay, error)) << error;

    // Straight through: bot, human from the step of its tick, bot once it left.
    const std::uint32_t targets[] = {1301, 300, entry + 1, entry, 1500, 900, leaving};
    std::map<std::uint32_t, std::uint64_t> straight;
    std::map<std::uint32_t, bool> bot;
    bool shows_the_first = true;
    replay_player player;
    ASSERT_TRUE(player.start(replay, error)) << error;
    EXPECT_EQ(game.get_lineup().humans, 1) << "its slot starts as a bot's";
    do {
        const std::uint32_t tick = player.get_tick();
        straight[tick] = match_hash();
        bot[tick] = players[1].get_bot();
        // The screen stays on the first human though both aim from their own view.
        const fighter_state& first = players[0].get_state();
        if (tick > entry && tick <= leaving)
            shows_the_first = shows_the_first && map.get_xs() == first.view_x && map.get_ys() == first.view_y;
    } while (player.step());
    player.stop();
    game.deinit();
    EXPECT_TRUE(bot[0] && bot[entry]);
    EXPECT_FALSE(bot[entry + 1] || bot[900] || bot[leaving]);
    EXPECT_TRUE(bot[leaving + 1] && bot[1500]);
    EXPECT_TRUE(shows_the_first);

    for (bool scouted : {false, true}) {
        SCOPED_TRACE(scouted ? "after the scout played ahead" : "without the scout");
        ASSERT_TRUE(player.start(replay, error)) << error;
        if (scouted)
            for (int update = 0; update < 20; update++)
                player.scout(50);
        for (std::uint32_t target : targets) {
            player.seek(target);
            EXPECT_EQ(match_hash(), straight[target]) << "at " << target;
            EXPECT_EQ(players[1].get_bot(), bot[target]) << "at " << target;
        }
        player.stop();
        game.deinit();
    }
}

}  // namespace

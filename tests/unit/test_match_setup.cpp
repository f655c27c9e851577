// One set-up for every match: it travels whole through the start message
// and the replay; while its match plays, the bots fight at its skill, the
// view follows the shown fighter and the keyboard and mouse their slot;
// the player's own options are never touched. A map that cannot be played
// changes nothing.
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "frontend/coptions.h"
#include "frontend/settings_file.h"
#include "match/cgame.h"
#include "match/control.h"
#include "match/match_setup.h"
#include "net/net_messages.h"
#include "replay/replay_file.h"

namespace {

std::string tower_text()
{
    std::ifstream file("zkm/tower.zkm");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

match_setup three_humans()
{
    match_setup setup;
    setup.seed = 0x89abcdef;
    setup.skill = 0;
    setup.bots = 4;
    setup.rules = {15, 3};
    setup.humans = {{{2, 5, 1}, "ANN"}, {{0, 3, 3}, "BOB_2"}, {{1, 0, 5}, "CY D"}};
    setup.map_name = "tower.zkm";
    setup.map_text = tower_text();
    return setup;
}

class MatchSetup : public testing::Test {
protected:
    void SetUp() override
    {
        kept = options.get_kept();
        options.set_bots(4);
        options.set_skill(2);
        own = options.get_kept();
    }
    void TearDown() override
    {
        game.deinit();
        options.restore(kept);
        device_slot = 0;
    }

    kept_settings kept;
    kept_settings own;
};

// The start message's bytes and the replay's carry the same value, and a
// replay's late comers are left out of the start it tells.
TEST_F(MatchSetup, ASetupComesBackWholeFromTheStartMessageAndTheReplay)
{
    const match_setup sent = three_humans();
    net_message message;
    std::string error;
    const std::string packet = encode(sent);
    ASSERT_TRUE(decode(reinterpret_cast<const std::uint8_t*>(packet.data()), packet.size(), message, error))
        << error;
    ASSERT_EQ(message.kind, net_kind::start);
    EXPECT_TRUE(message.start == sent);

    for (std::uint32_t late_tick : {0u, 500u}) {
        SCOPED_TRACE(late_tick);
        replay_data replay;
        replay.setup = sent;
        replay.ticks = 1000;
        replay.humans.resize(sent.humans.size());
        replay.humans.back().first_tick = late_tick;
        replay.humans.back().runs.push_back({control_reading(), 1000 - late_tick});
        replay_data back;
        ASSERT_TRUE(unpack_replay(pack_replay(replay), back, error)) << error;
        EXPECT_TRUE(back.setup == sent);
        match_setup began = sent;
        if (late_tick > 0)
            began.humans.pop_back();
        EXPECT_TRUE(start_of(back) == began);
        EXPECT_EQ(starting_humans(back), static_cast<int>(began.humans.size()));
    }
}

TEST_F(MatchSetup, TheMatchIsTheSetupsAndThePlayersOptionsStayTheirs)
{
    // In this order: a joiner's view must not stay on its slot afterwards.
    const struct {
        const char* what;
        int humans, bots, skill, shown, devices;
    } cases[] = {
        {"a network match's joiner", 3, 2, 0, 2, -1},
        {"the menu's match", 1, 4, 1, 0, 0},
        {"a replay without bots", 2, 0, 0, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        match_setup setup = three_humans();
        setup.skill = c.skill;
        setup.bots = c.bots;
        setup.humans.resize(static_cast<std::size_t>(c.humans));
        match_seat seat;
        seat.shown_slot = c.shown;
        seat.device_slot = c.devices;
        match_starter starter;
        std::string error;
        ASSERT_TRUE(starter.start(setup, seat, error)) << error;
        const match_lineup& lineup = game.get_lineup();
        EXPECT_EQ(lineup.humans, c.humans);
        EXPECT_EQ(lineup.bots, c.bots);
        EXPECT_EQ(lineup.skill, c.skill) << "the bots fight at the set-up's skill";
        EXPECT_EQ(lineup.colors[c.humans - 1][2], setup.humans.back().colors[2]);
        EXPECT_EQ(game.get_shown_slot(), c.shown);
        EXPECT_EQ(device_slot, c.devices);
        EXPECT_TRUE(options.get_kept() == own) << "while it plays";
        starter.finish();
        EXPECT_TRUE(options.get_kept() == own);
        EXPECT_EQ(device_slot, 0);
    }

    match_setup broken;
    broken.map_name = "broken.zkm";
    broken.map_text = "120 80 nothing";
    broken.humans.resize(1);
    match_starter starter;
    std::string error;
    EXPECT_FALSE(starter.start(broken, seat_at_keyboard, error));
    EXPECT_NE(error.find("broken.zkm"), std::string::npos) << error;
    EXPECT_TRUE(options.get_kept() == own);
    EXPECT_EQ(device_slot, 0);
}

}  // namespace

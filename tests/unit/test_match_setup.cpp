// One set-up for every match: while it plays, the options a match reads are
// the set-up's, the view follows the shown fighter and the keyboard and
// mouse their slot; after it, the player's own options and the devices come
// back. A map that cannot be played changes nothing.
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "frontend/coptions.h"
#include "frontend/settings_file.h"
#include "match/cgame.h"
#include "match/control.h"
#include "match/match_setup.h"

namespace {

class MatchSetup : public testing::Test {
protected:
    void SetUp() override
    {
        kept = options.get_kept();
        options.set_bots(4);
        options.set_skill(2);
        own = options.get_kept();
        std::ifstream file("zkm/tower.zkm");
        std::ostringstream text;
        text << file.rdbuf();
        tower = text.str();
    }
    void TearDown() override
    {
        game.deinit();
        options.restore(kept);
        device_slot = 0;
    }

    kept_settings kept;
    kept_settings own;
    std::string tower;
};

TEST_F(MatchSetup, TheMatchIsTheSetupsAndThePlayersOwnOptionsComeBack)
{
    // In this order: a joiner's view must not stay on its slot afterwards.
    const struct {
        const char* what;
        int humans, bots, skill, shown, devices;
    } cases[] = {
        {"a network match's joiner", 3, 2, 0, 2, -1},
        {"the menu's match", 1, 4, 2, 0, 0},
        {"a replay without bots", 2, 0, 1, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        match_setup setup;
        setup.seed = 5;
        setup.map_name = "tower.zkm";
        setup.map_text = tower;
        setup.skill = c.skill;
        setup.lineup.humans = c.humans;
        setup.lineup.bots = c.bots;
        for (int human = 0; human < c.humans; human++)
            setup.lineup.colors[human][1] = human + 1;
        setup.shown_slot = c.shown;
        setup.device_slot = c.devices;
        match_starter starter;
        std::string error;
        ASSERT_TRUE(starter.start(setup, error)) << error;
        EXPECT_EQ(game.get_lineup().humans, c.humans);
        EXPECT_EQ(game.get_shown_slot(), c.shown);
        EXPECT_EQ(device_slot, c.devices);
        EXPECT_EQ(options.get_skill(), c.skill);
        EXPECT_EQ(options.get_bots(), std::max(c.bots, 1));
        EXPECT_EQ(options.color(1), c.shown + 1) << "the shown fighter's colours";
        starter.finish();
        EXPECT_TRUE(options.get_kept() == own);
        EXPECT_EQ(device_slot, 0);
    }

    match_setup broken;
    broken.map_name = "broken.zkm";
    broken.map_text = "120 80 nothing";
    broken.skill = 0;
    match_starter starter;
    std::string error;
    EXPECT_FALSE(starter.start(broken, error));
    EXPECT_NE(error.find("broken.zkm"), std::string::npos) << error;
    EXPECT_TRUE(options.get_kept() == own);
    EXPECT_EQ(device_slot, 0);
}

}  // namespace

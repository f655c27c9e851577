// What zk3-server writes and decides on its own: the joins and leaves read
// from two looks at a lobby, the lines of a kill and an end, the moment its
// lobby starts a match, and the maps it refuses before anyone joins.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "map/map_file.h"
#include "server/lobby_countdown.h"
#include "server/map_rotation.h"
#include "server/roster_changes.h"
#include "server/server_log.h"

namespace {

// Humans by name; a name with a 2 at its end wears other colours.
std::vector<net_player> humans(std::initializer_list<const char*> names)
{
    std::vector<net_player> list;
    for (const char* name : names) {
        net_player human;
        human.name = name;
        human.colors[1] = name[std::string(name).size() - 1] == '2' ? 4 : 0;
        if (human.colors[1] == 4)
            human.name.pop_back();
        list.push_back(human);
    }
    return list;
}

TEST(ServerLog, JoinsAndLeavesBetweenTwoLooksAtTheLobby)
{
    struct row {
        std::vector<net_player> before, after;
        std::vector<roster_change> changes;
    } table[] = {
        {humans({}), humans({}), {}},
        {humans({}), humans({"ANNA"}), {{true, "ANNA"}}},
        {humans({"ANNA", "BERT"}), humans({"ANNA", "BERT"}), {}},
        {humans({"ANNA", "BERT", "CARL"}), humans({"ANNA", "CARL"}), {{false, "BERT"}}},
        {humans({"ANNA", "BERT"}), humans({"BERT", "DORA"}), {{false, "ANNA"}, {true, "DORA"}}},
        {humans({"ANNA", "BERT"}), humans({}), {{false, "ANNA"}, {false, "BERT"}}},
        // Two of one name are told apart only by their place.
        {humans({"ANNA", "ANNA"}), humans({"ANNA"}), {{false, "ANNA"}}},
        // One who left and another of the same name who came, in other colours.
        {humans({"ANNA", "BERT"}), humans({"BERT", "ANNA2"}), {{false, "ANNA"}, {true, "ANNA"}}},
        {humans({"ANNA"}), humans({"ANNA2"}), {{false, "ANNA"}, {true, "ANNA"}}},
    };
    for (const row& r : table) {
        EXPECT_EQ(roster_changes(r.before, r.after), r.changes)
            << r.before.size() << " before, " << r.after.size() << " after";
    }
}

TEST(ServerLog, KillsAndEndsByTheFightersNames)
{
    const std::vector<std::string> names = {"ANNA", "BERT"};
    struct row {
        int killer, cause, victim;
        const char* line;
    } table[] = {
        {0, 2, 1, "kill ANNA [shotgun] BERT"},
        {2, 0, 0, "kill BOT 1 [pistol] ANNA"},
        {1, 1, 4, "kill BERT [machine gun] BOT 3"},
        {3, 3, 5, "kill BOT 2 [minigun] BOT 4"},
        {0, blow_grenade, 0, "kill ANNA [grenade] ANNA"},
        {-1, blow_fall, 1, "kill [fall] BERT"},
        {1, blow_fall, 0, "kill BERT [fall] ANNA"},
    };
    for (const row& r : table)
        EXPECT_EQ(kill_text({match_event::kind::death, 10, r.victim, r.killer, r.cause}, names), r.line);
    EXPECT_EQ(result_text({true, 1}, names), "winner BERT");
    EXPECT_EQ(result_text({true, 2}, names), "winner BOT 1");
    EXPECT_EQ(result_text({true, -1}, names), "draw");
    EXPECT_EQ(lineup_text(names, 4), "ANNA, BERT and 4 bots");
    EXPECT_EQ(lineup_text({"ANNA"}, 1), "ANNA and 1 bot");
    EXPECT_EQ(lineup_text({"ANNA", "BERT", "CARL"}, 0), "ANNA, BERT, CARL");
    EXPECT_EQ(stamped(0, "join ANNA"), "1970-01-01T00:00:00Z join ANNA");
    EXPECT_EQ(stamped(1781990104, "x"), "2026-06-20T21:15:04Z x");
}

TEST(ServerLog, TheLobbyStartsOnceEnoughHumansHaveBeenThereItsTime)
{
    using std::chrono::seconds;
    const lobby_countdown::clock::time_point zero{};
    // At each second, how many humans are there, and whether the match starts.
    struct look {
        int second;
        int humans;
        bool due;
    };
    struct row {
        int wait_for;
        int wait;
        std::vector<look> looks;
        int opened_at;  // the lobby opens again then (after a match); -1 never
    } table[] = {
        {1, 0, {{0, 0, false}, {1, 1, true}}, -1},
        {2, 5, {{0, 1, false}, {10, 2, false}, {14, 3, false}, {15, 2, true}}, -1},
        // Falling short starts the count again.
        {2, 5, {{0, 2, false}, {4, 1, false}, {5, 2, false}, {9, 2, false}, {10, 2, true}}, -1},
        // After a match the count starts again from the lobby's opening.
        {1, 5, {{0, 1, false}, {5, 1, true}, {20, 1, false}, {24, 1, false}, {25, 1, true}}, 20},
    };
    for (const row& r : table) {
        lobby_countdown countdown(r.wait_for, seconds(r.wait));
        countdown.open();
        for (const look& l : r.looks) {
            if (l.second == r.opened_at)
                countdown.open();
            EXPECT_EQ(countdown.due(l.humans, zero + seconds(l.second)), l.due)
                << "waiting for " << r.wait_for << " for " << r.wait << " s, at " << l.second << " s with "
                << l.humans;
        }
    }
}

TEST(ServerLog, MapsTheGameCannotSendAreRefusedAtTheStart)
{
    std::string tower;
    ASSERT_TRUE(read_map_text("zkm/tower.zkm", tower));
    struct row {
        rotation_map map;
        const char* reason;  // "" for none
    } table[] = {
        {{"tower.zkm", tower}, ""},
        {{"tower.txt", tower}, "tower.txt: not a map file name"},
        {{"tow er.zkm", tower}, "not a map file name"},
        {{std::string(61, 'm') + ".zkm", tower}, "not a map file name"},
        {{"cut.zkm", tower.substr(0, tower.size() / 2)}, "cut.zkm"},
        {{"empty.zkm", ""}, "empty.zkm"},
    };
    for (const row& r : table) {
        std::string error;
        EXPECT_EQ(check_map(r.map, error), r.reason[0] == '\0') << r.map.name;
        EXPECT_NE(error.find(r.reason), std::string::npos) << r.map.name << ": " << error;
    }
    map_rotation rotation;
    std::string error;
    EXPECT_FALSE(rotation.load({"zkm/tower.zkm", "zkm/none.zkm"}, error));
    EXPECT_EQ(error, "zkm/none.zkm: cannot read the file");
    ASSERT_TRUE(rotation.load({"zkm/tower.zkm", "zkm/bastion.zkm"}, error)) << error;
    EXPECT_EQ(rotation.next().name, "tower.zkm");
    rotation.advance();
    EXPECT_EQ(rotation.next().name, "bastion.zkm");
    rotation.advance();
    EXPECT_EQ(rotation.next().name, "tower.zkm") << "round again";
}

}  // namespace

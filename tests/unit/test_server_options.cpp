// zk3-server's command line: every switch with its range, the choices that
// cannot go together, and a reason naming what was wrong.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "server/server_options.h"

namespace {

server_command read(std::vector<const char*> arguments, server_options& out, std::string& error)
{
    arguments.insert(arguments.begin(), "zk3-server");
    return read_server_options(static_cast<int>(arguments.size()), arguments.data(), out, error);
}

std::string line_of(const std::vector<const char*>& arguments)
{
    std::string line;
    for (const char* argument : arguments)
        line += std::string(argument) + " ";
    return line;
}

struct accepted_case {
    std::vector<const char*> arguments;
    long port, bots, skill, score_limit, time_limit, most_players, wait_for, lobby_seconds;
    const char* name;
    const char* replays;
    std::vector<std::string> maps;
};

const accepted_case accepted[] = {
    {{"a.zkm"}, 27960, 4, 1, 20, 10, 11, 1, 15, "ZK3 SERVER", "", {"a.zkm"}},
    {{"--port", "1", "--name", "Fast-Frag_1 x", "--bots", "0", "--skill", "hard", "--score-limit", "0",
      "--time-limit", "1440", "--most-players", "2", "--wait-for", "2", "--lobby", "1", "--replays", "/r",
      "a.zkm", "zkm/b.zkm"},
     1, 0, 0, 0, 1440, 2, 2, 1, "Fast-Frag_1 x", "/r", {"a.zkm", "zkm/b.zkm"}},
    {{"a.zkm", "--port", "65535", "--skill", "easy", "--bots", "10", "--score-limit", "999", "--lobby", "3600",
      "--wait-for", "11"},
     65535, 10, 2, 999, 10, 11, 11, 3600, "ZK3 SERVER", "", {"a.zkm"}},
    {{"--bots", "3", "--bots", "05", "--skill", "hard", "--skill", "medium", "a.zkm", "a.zkm"},
     27960, 5, 1, 20, 10, 11, 1, 15, "ZK3 SERVER", "", {"a.zkm", "a.zkm"}},
    {{"-", "--replays", "-r"}, 27960, 4, 1, 20, 10, 11, 1, 15, "ZK3 SERVER", "-r", {"-"}},
};

TEST(ServerOptions, TakesEverySwitchWithinItsRangeAndTheMapsInTurn)
{
    for (const accepted_case& c : accepted) {
        server_options out;
        std::string error = "stale";
        ASSERT_EQ(read(c.arguments, out, error), server_command::run) << line_of(c.arguments) << error;
        EXPECT_EQ(error, "");
        EXPECT_EQ(out.port, c.port) << line_of(c.arguments);
        EXPECT_EQ(out.bots, c.bots) << line_of(c.arguments);
        EXPECT_EQ(out.skill, c.skill) << line_of(c.arguments);
        EXPECT_EQ(rules_of(out), (match_rules{int(c.score_limit), int(c.time_limit)})) << line_of(c.arguments);
        EXPECT_EQ(out.most_players, c.most_players) << line_of(c.arguments);
        EXPECT_EQ(out.wait_for, c.wait_for) << line_of(c.arguments);
        EXPECT_EQ(out.lobby_seconds, c.lobby_seconds) << line_of(c.arguments);
        EXPECT_EQ(out.name, c.name) << line_of(c.arguments);
        EXPECT_EQ(out.replays, c.replays) << line_of(c.arguments);
        EXPECT_EQ(out.maps, c.maps) << line_of(c.arguments);
    }
}

struct refused_case {
    std::vector<const char*> arguments;
    const char* reason;  // a part of the reason given
};

const refused_case refused[] = {
    {{}, "no map file given"},
    {{"--port", "5"}, "no map file given"},
    {{"a.zkm", "--port"}, "--port needs a value"},
    {{"--port", "0", "a.zkm"}, "--port needs a whole number from 1 to 65535, not \"0\""},
    {{"--port", "65536", "a.zkm"}, "not \"65536\""},
    {{"--port", "27960x", "a.zkm"}, "not \"27960x\""},
    {{"--port", "", "a.zkm"}, "not \"\""},
    {{"--port", "99999999999999999999", "a.zkm"}, "not \"99999999999999999999\""},
    {{"--bots", "11", "a.zkm"}, "--bots needs a whole number from 0 to 10"},
    {{"--bots", "-1", "a.zkm"}, "--bots needs"},
    {{"--score-limit", "1000", "a.zkm"}, "--score-limit needs a whole number from 0 to 999"},
    {{"--time-limit", "1441", "a.zkm"}, "--time-limit needs a whole number from 0 to 1440"},
    {{"--most-players", "0", "a.zkm"}, "--most-players needs a whole number from 1 to 11"},
    {{"--wait-for", "12", "a.zkm"}, "--wait-for needs a whole number from 1 to 11"},
    {{"--lobby", "3601", "a.zkm"}, "--lobby needs a whole number from 1 to 3600"},
    {{"--lobby", "0", "a.zkm"}, "--lobby needs"},
    {{"--name", "AN.NA", "a.zkm"}, "--name needs 1 to 15 letters"},
    {{"--name", "", "a.zkm"}, "--name needs"},
    {{"--name", "SIXTEEN LETTERSX", "a.zkm"}, "not \"SIXTEEN LETTERSX\""},
    {{"--skill", "expert", "a.zkm"}, "--skill needs easy, medium or hard, not \"expert\""},
    {{"--skill", "HARD", "a.zkm"}, "--skill needs"},
    {{"--replays", "", "a.zkm"}, "--replays needs a folder"},
    {{"--frag", "a.zkm"}, "unknown option --frag"},
    {{"a.zkm", "-p"}, "unknown option -p"},
    {{"--wait-for", "5", "--most-players", "4", "a.zkm"}, "--wait-for 5 is more than --most-players 4"},
    {{"--bots", "0", "a.zkm"}, "with no bots a match needs two humans"},
};

TEST(ServerOptions, RefusesWithAReasonNamingWhatWasWrong)
{
    for (const refused_case& c : refused) {
        server_options out;
        std::string error;
        EXPECT_EQ(read(c.arguments, out, error), server_command::refuse) << line_of(c.arguments);
        EXPECT_NE(error.find(c.reason), std::string::npos) << line_of(c.arguments) << ": " << error;
    }
}

TEST(ServerOptions, HelpComesFirstWhateverElseIsGiven)
{
    for (const std::vector<const char*>& arguments :
         {std::vector<const char*>{"--help"}, {"-h"}, {"a.zkm", "--help", "--port", "0"}}) {
        server_options out;
        std::string error;
        EXPECT_EQ(read(arguments, out, error), server_command::help) << line_of(arguments);
    }
    for (const char* documented : {"--port", "--name", "--bots", "--skill", "--score-limit", "--time-limit",
                                   "--most-players", "--wait-for", "--lobby", "--replays", "SIGTERM"})
        EXPECT_NE(std::string(server_usage).find(documented), std::string::npos) << documented;
}

}  // namespace

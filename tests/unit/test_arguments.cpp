// The command line: the switches it knows, a refusal for a switch with a
// bad value or for two screens before the menu, and anything else passed
// over by name.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/arguments.h"

namespace {

struct command_line_case {
    std::vector<const char*> arguments;  // after the program's name
    bool accepted;
    bool multisampling;
    long long seed;  // -1: not seeded
    std::vector<std::string> ignored;
    const char* named_in_error;
};

const command_line_case cases[] = {
    {{}, true, true, -1, {}, ""},
    {{"--no-multisampling"}, true, false, -1, {}, ""},
    {{"--no-multisampling", "--no-multisampling"}, true, false, -1, {}, ""},
    {{"--seed", "0"}, true, true, 0, {}, ""},
    {{"--seed", "2147483647", "--no-multisampling"}, true, false, 2147483647, {}, ""},
    {{"--seed", "5", "--seed", "007"}, true, true, 7, {}, ""},
    {{"--multisampling", "extra", ""}, true, true, -1, {"--multisampling", "extra", ""}, ""},
    {{"-no-multisampling", "--seed", "3"}, true, true, 3, {"-no-multisampling"}, ""},
    {{"--seed"}, false, true, -1, {}, "nothing"},
    {{"--seed", "x"}, false, true, -1, {}, "\"x\""},
    {{"--seed", "-1"}, false, true, -1, {}, "\"-1\""},
    {{"--seed", "2147483648"}, false, true, -1, {}, "\"2147483648\""},
    {{"--seed", "99999999999999999999"}, false, true, -1, {}, "\"99999999999999999999\""},
    {{"--seed", "12 "}, false, true, -1, {}, "\"12 \""},
    {{"--seed", ""}, false, true, -1, {}, "\"\""},
};

TEST(Arguments, KnowsTwoSwitchesRefusesBadSeedsAndPassesOverTheRest)
{
    for (const command_line_case& c : cases) {
        std::vector<const char*> argv = {"zk3"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        std::string line;
        for (const char* argument : c.arguments)
            line += std::string(argument) + " ";
        launch_choice choice;
        choice.multisampling = !c.multisampling;  // must be set either way
        std::vector<std::string> ignored = {"stale"};
        std::string error = "stale";
        ASSERT_EQ(read_arguments(static_cast<int>(argv.size()), argv.data(), choice, ignored, error),
                  c.accepted) << line;
        if (!c.accepted) {
            EXPECT_NE(error.find(c.named_in_error), std::string::npos) << error;
            EXPECT_NE(error.find("--seed"), std::string::npos) << error;
            continue;
        }
        EXPECT_EQ(error, "") << line;
        EXPECT_EQ(choice.multisampling, c.multisampling) << line;
        EXPECT_EQ(choice.seeded, c.seed >= 0) << line;
        if (c.seed >= 0) {
            EXPECT_EQ(choice.seed, static_cast<unsigned int>(c.seed)) << line;
        }
        EXPECT_EQ(ignored, c.ignored) << line;
    }
}

// --host, --join and --replay: which one, where to, or why not.
struct network_case {
    std::vector<const char*> arguments;
    bool accepted;
    bool hosting;
    const char* join_address;
    int port;  // 0: none set
    const char* replay;
    std::vector<std::string> ignored;
    const char* named_in_error;
};

const network_case network_cases[] = {
    {{"--host"}, true, true, "", 27960, "", {}, ""},
    {{"--host", "1"}, true, true, "", 1, "", {}, ""},
    {{"--host", "65535", "--seed", "4"}, true, true, "", 65535, "", {}, ""},
    {{"--host", "--no-multisampling"}, true, true, "", 27960, "", {}, ""},
    {{"--host", "5000", "--host"}, true, true, "", 27960, "", {}, ""},
    {{"--join", "127.0.0.1"}, true, false, "127.0.0.1", 27960, "", {}, ""},
    {{"--join", "example.org:2000", "x"}, true, false, "example.org", 2000, "", {"x"}, ""},
    {{"--replay", "a.zkr"}, true, false, "", 0, "a.zkr", {}, ""},
    {{"--host", "0"}, false, false, "", 0, "", {}, "\"0\""},
    {{"--host", "65536"}, false, false, "", 0, "", {}, "\"65536\""},
    {{"--host", "27960x"}, false, false, "", 0, "", {}, "\"27960x\""},
    {{"--host", ""}, false, false, "", 0, "", {}, "--host"},
    {{"--join"}, false, false, "", 0, "", {}, "nothing"},
    {{"--join", ""}, false, false, "", 0, "", {}, "--join"},
    {{"--join", ":27960"}, false, false, "", 0, "", {}, "\":27960\""},
    {{"--join", "h:"}, false, false, "", 0, "", {}, "\"h:\""},
    {{"--join", "h:70000"}, false, false, "", 0, "", {}, "\"h:70000\""},
    {{"--join", "a:b:1"}, false, false, "", 0, "", {}, "\"a:b:1\""},
    {{"--host", "--join", "h"}, false, false, "", 0, "", {}, "--host"},
    {{"--join", "h", "--replay", "a.zkr"}, false, false, "", 0, "", {}, "--replay"},
    {{"--replay", "a.zkr", "--host", "5"}, false, false, "", 0, "", {}, "--host"},
    {{"--host", "--score-limit", "1", "--time-limit", "1440"}, true, true, "", 27960, "", {}, ""},
    {{"--host", "--score-limit", "1000"}, false, false, "", 0, "", {}, "\"1000\""},
    {{"--host", "--time-limit"}, false, false, "", 0, "", {}, "--time-limit needs"},
    {{"--join", "h", "--score-limit", "5"}, false, false, "", 0, "", {}, "with --host"},
    {{"--watch", "h:5"}, true, false, "h", 5, "", {}, ""},
    {{"--watch"}, false, false, "", 0, "", {}, "--watch needs HOST"},
    {{"--join", "h", "--watch", "h"}, false, false, "", 0, "", {}, "--watch cannot be given with --join"},
};

TEST(Arguments, TakesOneOfHostJoinAndReplayWithItsPort)
{
    for (const network_case& c : network_cases) {
        std::vector<const char*> argv = {"zk3"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        std::string line;
        for (const char* argument : c.arguments)
            line += std::string(argument) + " ";
        launch_choice choice;
        std::vector<std::string> ignored;
        std::string error;
        ASSERT_EQ(read_arguments(static_cast<int>(argv.size()), argv.data(), choice, ignored, error),
                  c.accepted) << line;
        if (!c.accepted) {
            EXPECT_NE(error.find(c.named_in_error), std::string::npos) << error;
            continue;
        }
        EXPECT_EQ(choice.hosting, c.hosting) << line;
        EXPECT_EQ(choice.join_address, c.join_address) << line;
        EXPECT_EQ(choice.port, c.port) << line;
        EXPECT_EQ(choice.replay, c.replay) << line;
        EXPECT_EQ(ignored, c.ignored) << line;
    }
}

}  // namespace

// The command line: the two switches it knows, a refusal for a switch with a
// bad value, and anything else passed over by name.
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

}  // namespace

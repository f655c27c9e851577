// The command line: the one switch it knows, and a refusal that names
// anything else.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/arguments.h"

namespace {

struct command_line_case {
    std::vector<const char*> arguments;  // after the program's name
    bool accepted;
    bool multisampling;
    const char* named_in_error;
};

const command_line_case cases[] = {
    {{}, true, true, ""},
    {{"--no-multisampling"}, true, false, ""},
    {{"--no-multisampling", "--no-multisampling"}, true, false, ""},
    {{"--multisampling"}, false, true, "\"--multisampling\""},
    {{"--no-multisampling", "extra"}, false, true, "\"extra\""},
    {{"-no-multisampling"}, false, true, "\"-no-multisampling\""},
    {{""}, false, true, "\"\""},
};

TEST(Arguments, KnowsOnlyTheMultisamplingSwitch)
{
    for (const command_line_case& c : cases) {
        std::vector<const char*> argv = {"zk3"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        launch_choice choice;
        choice.multisampling = !c.multisampling;  // must be set either way
        std::string error = "stale";
        const std::string line = argv.size() > 1 ? argv[1] : "(none)";
        EXPECT_EQ(read_arguments(static_cast<int>(argv.size()), argv.data(), choice, error), c.accepted)
            << line;
        if (c.accepted) {
            EXPECT_EQ(choice.multisampling, c.multisampling) << line;
            EXPECT_EQ(error, "") << line;
        } else {
            EXPECT_NE(error.find(c.named_in_error), std::string::npos) << error;
            EXPECT_NE(error.find("--no-multisampling"), std::string::npos) << error;
        }
    }
}

}  // namespace

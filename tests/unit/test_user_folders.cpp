// The user's folders follow the XDG variables, else HOME: the settings file
// and the replays folder alike.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "frontend/settings_file.h"
#include "replay/replay_folder.h"

namespace {

// Sets an environment variable for a test's lifetime (unset for null).
class scoped_variable {
public:
    scoped_variable(const char* variable, const char* value) : name(variable)
    {
        const char* old = std::getenv(name);
        had = old != nullptr;
        before = old ? old : "";
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~scoped_variable() { had ? setenv(name, before.c_str(), 1) : unsetenv(name); }

private:
    const char* name;
    bool had;
    std::string before;
};

TEST(UserFolders, FollowTheirVariableElseHome)
{
    struct place {
        const char* variable;
        const char* value;
        const char* home;
        std::string (*path)();
        const char* expected;
    };
    const place table[] = {
        {"XDG_DATA_HOME", "/d", "/h", replay_folder, "/d/zk3/replays"},
        {"XDG_DATA_HOME", "", "/h", replay_folder, "/h/.local/share/zk3/replays"},
        {"XDG_DATA_HOME", nullptr, nullptr, replay_folder, ""},
        {"XDG_CONFIG_HOME", "/c", "/h", settings_path, "/c/zk3/settings.txt"},
        {"XDG_CONFIG_HOME", nullptr, "/h", settings_path, "/h/.config/zk3/settings.txt"},
        {"XDG_CONFIG_HOME", "", "", settings_path, ""},
    };
    for (const place& row : table) {
        scoped_variable variable(row.variable, row.value);
        scoped_variable home("HOME", row.home);
        EXPECT_EQ(row.path(), row.expected) << row.variable << " " << (row.value ? row.value : "unset");
    }
}

}  // namespace

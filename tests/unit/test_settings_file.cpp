// The settings kept between runs: the file's round trip, what a bad file or
// value costs, saving through a temporary file, and the map found by name.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frontend/coptions.h"
#include "frontend/settings_file.h"
#include "map/cmap.h"
#include "test_map_folder.h"

namespace {

kept_settings unusual()
{
    kept_settings s;
    s.bots = 10;
    s.skill = 2;
    s.colors[0] = 2;
    s.colors[1] = 5;
    s.colors[2] = 0;
    s.map = "tower.zkm";
    s.show_fps = true;
    s.fullscreen = false;
    s.name = "Ann-2_b c";
    s.host_port = 1;
    s.joined = {"192.168.1.20", "box:27961", "a-b_c.example", "x", "y:65535"};
    return s;
}

kept_settings read_text(const std::string& text, std::string* errors = nullptr)
{
    std::istringstream in(text);
    std::ostringstream messages;
    kept_settings s = read_settings(in, "settings.txt", messages);
    if (errors)
        *errors = messages.str();
    return s;
}

TEST(SettingsFile, RoundTripKeepsEverySetting)
{
    std::ostringstream out;
    write_settings(out, unusual());
    std::string errors;
    EXPECT_EQ(read_text(out.str(), &errors), unusual());
    EXPECT_EQ(errors, "");
    EXPECT_EQ(read_text(""), kept_settings()) << "an empty file gives the defaults";
}

// Each bad line costs only its own setting, named on one line; the good
// line after it still counts.
TEST(SettingsFile, EachBadLineFallsBackToItsDefaultAlone)
{
    const char* const bad_lines[] = {
        "bots=0",       "bots=11",     "bots=3x",         "bots=",          "bots=99999999999",
        "skill=-1",     "skill=3",     "hair=3",          "shirt=6",        "pants=-1",
        "frame_counter=yes", "display=big", "map=",       "map=../etc/passwd",
        "map=a_name_far_too_long_for_the_list.zkm", "colour=4", "no equals sign", "=3",
        "name=",        "name=SIXTEEN_LETTERSX", "name=ann/bob", "name=caf\xc3\xa9",
        "host_port=0",  "host_port=65536", "joined=",    "joined=:27960",  "joined=a:0",
        "joined=a b",   "joined=a:1:2",
    };
    for (const char* line : bad_lines) {
        std::string errors;
        kept_settings s = read_text(std::string(line) + "\nskill=0\n", &errors);
        kept_settings expected;
        expected.skill = 0;
        EXPECT_EQ(s, expected) << line;
        EXPECT_NE(errors.find("settings.txt:1:"), std::string::npos) << line;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << line;
    }
    std::string errors;
    kept_settings six = read_text("joined=a\njoined=b\njoined=c\njoined=d\njoined=e\njoined=f\n", &errors);
    EXPECT_EQ(six.joined, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_NE(errors.find("settings.txt:6:"), std::string::npos) << "a sixth address is one too many";
    errors.clear();
    EXPECT_EQ(read_text("bots=5\r\n\r\nbots=7\n", &errors).bots, 7) << "CR LF, blank lines, last one wins";
    EXPECT_EQ(errors, "");
}

TEST(SettingsFile, SavingReplacesTheFileAndFailuresLoseNothing)
{
    temp_game_folder folder;
    std::ostringstream errors;
    const std::string path = "config/zk3/settings.txt";

    EXPECT_EQ(load_settings_file(path, errors), kept_settings());
    EXPECT_EQ(errors.str(), "") << "no file yet is not worth a message";

    ASSERT_TRUE(save_settings_file(path, unusual(), errors)) << errors.str();
    EXPECT_EQ(load_settings_file(path, errors), unusual());
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    // A folder where the file should be: unreadable, and unwritable.
    std::filesystem::create_directories("blocked/settings.txt");
    EXPECT_EQ(load_settings_file("blocked/settings.txt", errors), kept_settings());
    EXPECT_NE(errors.str().find("cannot read blocked/settings.txt"), std::string::npos);
    EXPECT_FALSE(save_settings_file("blocked/settings.txt", unusual(), errors));
    EXPECT_NE(errors.str().find("not saved"), std::string::npos);

    // A file where the folder should be: the saving fails, the old file stays.
    folder.write("plain", "x");
    EXPECT_FALSE(save_settings_file("plain/zk3/settings.txt", kept_settings(), errors));
    EXPECT_EQ(load_settings_file(path, errors), unusual());
}

TEST(SettingsFile, OptionsFindTheMapByNameOrFallBackToTheFirst)
{
    temp_game_folder folder;
    folder.write("zkm/canyon.zkm", map_text().str());
    folder.write("zkm/tower.zkm", map_text().str());
    map.load();
    char second[cmap::max_name_length + 1];
    map.get_name(1, second, false);

    const coptions fresh;
    kept_settings kept = unusual();
    kept.map = second;
    ASSERT_TRUE(options.restore(kept));
    EXPECT_EQ(options.get_level(), 1);
    EXPECT_EQ(options.get_kept(), kept);
    EXPECT_FALSE(options.get_display_fullscreen());

    kept.map = "gone.zkm";
    EXPECT_FALSE(options.restore(kept));
    EXPECT_EQ(options.get_level(), 0);

    options.remember_joined("b");
    options.remember_joined("new:2");
    EXPECT_EQ(options.get_joined(), (std::vector<std::string>{"new:2", "b", "192.168.1.20", "box:27961",
                                                              "a-b_c.example"}));
    EXPECT_TRUE(options.restore(fresh.get_kept()));
    EXPECT_EQ(options.get_bots(), 3);
}

}  // namespace

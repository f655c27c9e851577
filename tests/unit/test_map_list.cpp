// Listing the map files of zkm/, naming them, and choosing one with init.
#include <dirent.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "map/cmap.h"
#include "test_map_folder.h"

namespace {

std::vector<std::string> listed()
{
    std::vector<std::string> names;
    char name[21];
    for (int i = 0; i < map.get_nm(); i++) {
        map.get_name(i, name, false);
        names.push_back(name);
    }
    return names;
}

// The plain files of a folder in the order the system yields them.
std::vector<std::string> folder_order(const char* path)
{
    std::vector<std::string> names;
    DIR* folder = opendir(path);
    while (dirent* entry = readdir(folder))
        if (entry->d_name[0] != '.')
            names.push_back(entry->d_name);
    closedir(folder);
    return names;
}

TEST(MapList, NameLengthAndExtensionRules)
{
    temp_game_folder folder;
    folder.write("zkm/abcdefghijklmnop.zkm", "");   // 20 characters
    folder.write("zkm/abcdefghijklmnopq.zkm", "");  // 21
    folder.write("zkm/upper.ZKM", "");
    folder.write("zkm/mixed.Zkm", "");
    folder.write("zkm/arena.zkm.bak", "");
    folder.write("zkm/noextension", "");
    folder.write("zkm/arena.zkm", "");
    std::filesystem::create_directory("zkm/folder.zkm");
    map.load();
    std::vector<std::string> names = listed();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"abcdefghijklmnop.zkm", "arena.zkm"}));
}

TEST(MapList, AtMostThirtyTwoInTheFoldersOrder)
{
    temp_game_folder folder;
    for (int i = 0; i < 40; i++)
        folder.write("zkm/map" + std::to_string(i) + ".zkm", "");
    map.load();
    ASSERT_EQ(map.get_nm(), 32);
    std::vector<std::string> order = folder_order("zkm");
    order.resize(32);
    EXPECT_EQ(listed(), order);
}

TEST(MapList, NoFolderNoMaps)
{
    temp_game_folder folder;
    ASSERT_TRUE(std::filesystem::remove("zkm"));
    map.load();
    EXPECT_EQ(map.get_nm(), 0);
    EXPECT_FALSE(map.init());
    EXPECT_STREQ(map.get_error(), "no maps in zkm/");
    EXPECT_EQ(map.get_width(), 0);
}

TEST(MapList, NamesWholeOrForDisplay)
{
    temp_game_folder folder;
    folder.write("zkm/arena.zkm", "");
    map.load();
    char name[21] = "junk";
    map.get_name(0, name, false);
    EXPECT_STREQ(name, "arena.zkm");
    map.get_name(0, name, true);
    EXPECT_STREQ(name, "ARENA");
    map.get_name(1, name, true);
    EXPECT_STREQ(name, "") << "an index off the list names nothing";
    map.get_name(-1, name, false);
    EXPECT_STREQ(name, "");
}

TEST(MapList, InitReadsTheChosenMapFromZkm)
{
    temp_game_folder folder;
    map_text text;
    text.codes = {0, 0, 0, 0, 0, 5};
    folder.write("zkm/only.zkm", text.str());
    map.load();
    ASSERT_TRUE(map.init()) << map.get_error();
    EXPECT_EQ(map.get_spx(0), 80);
    EXPECT_EQ(map.get_spy(0), 40);
    map.deinit();

    folder.write("zkm/only.zkm", "120 80 nothing");
    EXPECT_FALSE(map.init());
    EXPECT_STREQ(map.get_error(), "zkm/only.zkm: the top red is not a number: \"nothing\"");
}

}  // namespace

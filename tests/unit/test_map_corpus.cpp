// Map files from outside: every malformed file of the corpus is refused with
// its own message, the good ones load, and every input the fuzzer ever
// found is read again without harm.
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "map/cmap.h"

namespace {

namespace fs = std::filesystem;

const fs::path corpus = fs::path(ZK3_TESTS_DIR) / "maps";

// expected.txt: one "<file><tab><part of the message>" per line.
std::map<std::string, std::string> expected_messages()
{
    std::map<std::string, std::string> messages;
    std::ifstream list(corpus / "bad" / "expected.txt");
    std::string line;
    while (std::getline(list, line)) {
        size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos)
            continue;
        messages[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return messages;
}

TEST(MapCorpus, EveryBadFileIsRefusedWithItsOwnMessage)
{
    std::map<std::string, std::string> messages = expected_messages();
    ASSERT_GE(messages.size(), 20u);
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(corpus / "bad")) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".zkm")
            continue;
        files++;
        ASSERT_EQ(messages.count(name), 1u) << name << " has no line in expected.txt";
        EXPECT_FALSE(map.read_file(entry.path().c_str())) << name;
        const std::string error = map.get_error();
        EXPECT_NE(error.find(name), std::string::npos) << "the message names the file: " << error;
        EXPECT_NE(error.find(messages[name]), std::string::npos)
            << name << "\n  expected: " << messages[name] << "\n  got: " << error;
        EXPECT_EQ(map.get_width(), 0) << name;
        EXPECT_EQ(map.get_nsp(), 0) << name;
    }
    EXPECT_EQ(files, static_cast<int>(messages.size())) << "expected.txt names a missing file";
}

TEST(MapCorpus, GoodFilesLoad)
{
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(corpus / "good")) {
        files++;
        EXPECT_TRUE(map.read_file(entry.path().c_str())) << map.get_error();
        EXPECT_GT(map.get_nsp(), 0);
        map.deinit();
    }
    EXPECT_GE(files, 5);
}

TEST(MapCorpus, SameTokensInAnyLayoutReadTheSame)
{
    ASSERT_TRUE(map.read_file((corpus / "good" / "three_by_two.zkm").c_str()));
    int lines[6];
    for (int i = 0; i < 6; i++)
        lines[i] = map.get_map(i % 3 * 40, i / 3 * 40);
    ASSERT_TRUE(map.read_file((corpus / "good" / "one_line.zkm").c_str()));
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(map.get_map(i % 3 * 40, i / 3 * 40), lines[i]) << "cell " << i;
    EXPECT_EQ(map.get_nsp(), 2);
    map.deinit();
}

TEST(MapCorpus, FuzzFindingsStayHarmless)
{
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    ASSERT_NE(screen, nullptr);
    al_set_target_bitmap(screen);
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(ZK3_TESTS_DIR) / "fuzz" / "regressions")) {
        if (entry.path().filename().string()[0] == '.')
            continue;
        map.read_file(entry.path().c_str());
        map.draw();
        map.deinit();
    }
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

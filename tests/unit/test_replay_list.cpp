// The replays screen's rows from a folder: newest first by name, good files
// with their date, map, length and humans' looks, and files that cannot be
// played kept in their place, greyed with the reader's reason; and the
// humans' names a replay shows as it plays.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include <gtest/gtest.h>

#include "replay/replay_file.h"
#include "replay/replay_list.h"
#include "replay/replay_names.h"

namespace fs = std::filesystem;

namespace {

replay_data short_replay(std::uint32_t ticks, int humans)
{
    replay_data replay;
    replay.setup.map_name = "canyon.zkm";
    std::ifstream map("zkm/canyon.zkm", std::ios::binary);
    replay.setup.map_text.assign(std::istreambuf_iterator<char>(map), std::istreambuf_iterator<char>());
    replay.setup.bots = 1;
    replay.ticks = ticks;
    replay.humans.resize(static_cast<std::size_t>(humans));
    replay.setup.humans.resize(static_cast<std::size_t>(humans));
    for (int human = 0; human < humans; human++) {
        human_look& look = replay.setup.humans[static_cast<std::size_t>(human)];
        look.colors[0] = human;
        look.colors[1] = human + 1;
        look.colors[2] = human + 2;
        look.name = "ANNA " + std::to_string(human + 1);
        replay.humans[static_cast<std::size_t>(human)].runs.push_back({control_reading(), ticks});
    }
    return replay;
}

void write(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ReplayList, RowsAreNewestFirstAndUnplayableFilesAreGreyedWithTheirReason)
{
    const fs::path folder = fs::temp_directory_path() / ("zk3_replay_list_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string old_version = pack_replay(short_replay(100, 1));
    old_version[8] = 0;  // the format version's low byte
    write(folder / "2026-01-02_10-00-00_canyon.zkr", pack_replay(short_replay(6150, 1)));
    write(folder / "2026-01-02_10-00-00_canyon-2.zkr", pack_replay(short_replay(60000, 2)));
    write(folder / "2025-12-31_23-59-59_tower.zkr", old_version);
    write(folder / "2026-01-01_08-00-00_cut.zkr", "not a replay at all");
    write(folder / "2026-01-03_00-00-00_half.zkr.tmp", "a save that never finished");

    const std::vector<replay_row> rows = list_replays(folder.string());
    fs::remove_all(folder);
    const struct {
        const char* when;
        const char* map;
        const char* length;
        std::size_t humans;
        const char* reason;
    } expected[] = {
        {"2026-01-02 10:00:00", "canyon", "10:00", 2, ""},
        {"2026-01-02 10:00:00", "canyon", "1:01", 1, ""},
        {"2026-01-01 08:00:00", "", "", 0, "not a replay file"},
        {"2025-12-31 23:59:59", "", "", 0, "a replay of format version 0; this game reads versions 1 to 4"},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); i++) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(rows[i].when, expected[i].when);
        EXPECT_EQ(rows[i].map, expected[i].map);
        EXPECT_EQ(rows[i].length, expected[i].length);
        EXPECT_EQ(rows[i].looks.size(), expected[i].humans);
        EXPECT_EQ(rows[i].reason, expected[i].reason);
    }
    EXPECT_EQ(rows[0].name, "2026-01-02_10-00-00_canyon-2.zkr");
    const std::array<int, 3> second_look = {1, 2, 3};
    ASSERT_EQ(rows[0].looks.size(), 2u);
    EXPECT_EQ(rows[0].looks[1], second_look);
    EXPECT_EQ(rows[0].names, (std::vector<std::string>{"ANNA 1", "ANNA 2"}));
    EXPECT_TRUE(list_replays(folder.string()).empty()) << "a missing folder lists nothing";
}

// A player who came in late is named from the step of its first tick on;
// until then its fighter goes by its bot's name.
TEST(ReplayNames, ALateHumanIsNamedFromTheStepOfItsFirstTick)
{
    replay_data replay = short_replay(1000, 3);
    replay.setup.bots = 3;
    replay.humans[1].first_tick = 100;
    replay.humans[2].first_tick = 500;
    replay.humans[2].runs[0].ticks = 100;  // and left at 600, keeping its name
    using names = std::vector<std::string>;
    const struct {
        std::uint32_t tick;
        names expected;
    } table[] = {
        {0, {"ANNA 1"}},
        {100, {"ANNA 1"}},
        {101, {"ANNA 1", "ANNA 2"}},
        {501, {"ANNA 1", "ANNA 2", "ANNA 3"}},
        {1000, {"ANNA 1", "ANNA 2", "ANNA 3"}},
    };
    for (const auto& row : table)
        EXPECT_EQ(human_names_at(replay, row.tick), row.expected) << row.tick;
}

}  // namespace

// Replay files: a packed replay reads back exactly, ten minutes of play stay
// small, every bad value is refused with a reason naming it, and the folder
// of saved replays names, keeps and prunes its files.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "codec/byte_codec.h"
#include "replay/replay_file.h"
#include "replay/replay_folder.h"

namespace fs = std::filesystem;

namespace {

std::string tower_text()
{
    std::ifstream file("zkm/tower.zkm", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The human's controls read the same for `ticks` ticks.
void hold(recorded_human& human, std::uint16_t keys, std::uint8_t buttons, int x, int y, int ticks = 1)
{
    control_reading r;
    r.keys = keys;
    r.buttons = buttons;
    r.pointer_x = x;
    r.pointer_y = y;
    r.scale_x = human.scale_x;
    r.scale_y = human.scale_y;
    for (int i = 0; i < ticks; i++)
        human.add(r);
}

// Two humans, the second of whom left early; pointer moves, key and button
// changes, a long still stretch, and a checkpoint every thousand ticks.
replay_data two_humans()
{
    replay_data replay;
    replay.setup.seed = 0xdeadbeef;
    replay.setup.skill = 2;
    replay.setup.bots = 3;
    replay.setup.map_name = "tower.zkm";
    replay.setup.map_text = tower_text();
    replay.ticks = 6000;
    replay.humans.resize(2);
    replay.setup.humans.resize(2);
    human_look& ann = replay.setup.humans[0];
    ann.colors[0] = 2, ann.colors[1] = 5, ann.colors[2] = 0;
    ann.name = "Ann-2";
    recorded_human& first = replay.humans[0];
    first.scale_x = first.scale_y = 0.5f;
    hold(first, 0, 0, 480, 270, 10);
    hold(first, key_right | key_jump, 0, 483, 268);
    hold(first, key_right, button_fire, -20, 1000000, 20);
    hold(first, all_control_keys, all_control_buttons, -1000000, -1000000);
    hold(first, key_weapon_4, button_throw, 5, 5, 5000);
    hold(first, 0, 0, 6, 5, 968);
    recorded_human& second = replay.humans[1];
    second.scale_x = 100, second.scale_y = 0.01f;
    replay.setup.humans[1].name = "FIFTEEN_LETTERS";
    for (int x = 0; x < 300; x++)
        hold(second, x % 7 == 0 ? key_left : 0, 0, x * 3, 200 - x);
    for (std::uint32_t tick = 0; tick <= replay.ticks; tick += 1000)
        replay.checkpoints.push_back({tick, 0x0123456789abcdefull * (tick + 1)});
    replay.setup.rules = {most_score_limit, most_time_limit};
    // Two lines on one tick, and the longest line on the last.
    replay.chat = {{0, 1, "hi"}, {0, 0, "~ hello, all! ~"}, {250, 1, "gg"}, {6000, 0, std::string(100, ' ')}};
    return replay;
}

// A third human came in at tick 4000 on one of the nine bots' fighters and
// played to the end: eleven fighters at the start, as it does not count again.
replay_data with_late_human()
{
    replay_data replay = two_humans();
    replay.setup.bots = 9;
    recorded_human late;
    replay.setup.humans.push_back({{0, 0, 3}, "LATE"});
    late.first_tick = 4000;
    hold(late, key_left, button_fire, 300, 200, 1500);
    hold(late, 0, 0, 310, 200, 500);
    replay.humans.push_back(late);
    return replay;
}

TEST(ReplayFile, PackedReplayReadsBackExactly)
{
    ASSERT_EQ(two_humans().humans[0].tick_count(), 6000u);
    ASSERT_EQ(two_humans().humans[0].runs.size(), 6u) << "add lengthens a run while the reading stays";
    ASSERT_EQ(two_humans().humans[1].tick_count(), 300u);
    for (const replay_data& replay : {two_humans(), with_late_human()}) {
        replay_data back;
        std::string error;
        ASSERT_TRUE(unpack_replay(pack_replay(replay), back, error)) << error;
        EXPECT_EQ(error, "");
        EXPECT_TRUE(back == replay) << replay.humans.size() << " humans";
    }
    replay_data moved = with_late_human();
    moved.humans[2].first_tick++;
    EXPECT_FALSE(moved == with_late_human()) << "the tick a human came in counts";
}

// Files of the older versions read the same, without what they did not keep:
// the first the humans' names (they are numbered), the first two the rules
// and the chat. Every human of theirs began the match.
TEST(ReplayFile, FilesOfOlderVersionsReadWithoutWhatTheyDidNotKeep)
{
    for (std::uint32_t version = 1; version <= 3; version++) {
        replay_data replay = two_humans();
        const std::string old_file = wrap_replay_body(pack_replay_body(replay, version), version);
        replay_data back;
        std::string error;
        ASSERT_TRUE(unpack_replay(old_file, back, error)) << version << ": " << error;
        if (version == 1)
            replay.setup.humans[0].name = "PLAYER 1", replay.setup.humans[1].name = "PLAYER 2";
        if (version < 3) {
            replay.setup.rules = match_rules();
            replay.chat.clear();
        }
        EXPECT_TRUE(back == replay) << version;
        EXPECT_NE(pack_replay(back), old_file) << version << ": written again, it is of this version";
    }
}

// Ten minutes at 100 ticks a second, the mouse moving a little on most ticks.
TEST(ReplayFile, TenMinutesOfPlayPackSmall)
{
    replay_data replay;
    replay.setup.map_name = "tower.zkm";
    replay.setup.map_text = tower_text();
    replay.ticks = 60000;
    replay.humans.resize(1);
    replay.setup.humans.resize(1);
    std::mt19937 random(7);
    control_reading now;
    now.pointer_x = 960;
    now.pointer_y = 540;
    for (std::uint32_t tick = 0; tick < replay.ticks; tick++) {
        if (random() % 10 < 8) {
            now.pointer_x += static_cast<int>(random() % 9) - 4;
            now.pointer_y += static_cast<int>(random() % 7) - 3;
        }
        if (random() % 100 == 0)
            now.keys = static_cast<std::uint16_t>(random() & (key_left | key_right | key_jump));
        if (random() % 150 == 0)
            now.buttons = static_cast<std::uint8_t>(random() & all_control_buttons);
        replay.humans[0].add(now);
        if (tick % 1000 == 0)
            replay.checkpoints.push_back({tick, random()});
    }
    const std::string bytes = pack_replay(replay);
    RecordProperty("packed_bytes", static_cast<int>(bytes.size()));
    std::cout << "60000 ticks, " << replay.humans[0].runs.size() << " runs: " << bytes.size()
              << " bytes\n";
    EXPECT_LE(bytes.size(), 200000u);
    replay_data back;
    std::string error;
    ASSERT_TRUE(unpack_replay(bytes, back, error)) << error;
    EXPECT_TRUE(back == replay);
}

// The bytes of a file made from the good replay with one thing changed: in
// the replay, in its body before compression, or in the file itself.
std::string changed_replay(const std::function<void(replay_data&)>& change)
{
    replay_data replay = two_humans();
    change(replay);
    return pack_replay(replay);
}

std::string changed_late(const std::function<void(replay_data&)>& change)
{
    replay_data replay = with_late_human();
    change(replay);
    return pack_replay(replay);
}

std::string changed_body(const std::function<void(std::string&)>& change)
{
    std::string body = pack_replay_body(two_humans());
    change(body);
    return wrap_replay_body(body);
}

std::string changed_file(const std::function<void(std::string&)>& change)
{
    std::string bytes = pack_replay(two_humans());
    change(bytes);
    return bytes;
}

// The body's length in the file's header, moved by `change`.
void change_length(std::string& bytes, int change)
{
    std::uint32_t length = 0;
    for (int i = 0; i < 4; i++)
        length |= std::uint32_t(static_cast<unsigned char>(bytes[12 + i])) << (8 * i);
    length += change;
    for (int i = 0; i < 4; i++)
        bytes[12 + i] = static_cast<char>(length >> (8 * i));
}

// A body that is all settings up to the first human's run count.
std::string tiny_body(std::uint64_t checkpoints, std::uint64_t runs)
{
    byte_writer out;
    out.u32(1), out.varint(1), out.varint(1), out.varint(1);
    out.text("a.zkm"), out.text("");
    out.varint(max_replay_ticks), out.varint(checkpoints);
    if (checkpoints == 0) {
        out.varint(0), out.varint(0), out.varint(0), out.text("A"), out.f32(1), out.f32(1), out.varint(0);
        out.varint(runs);
    }
    return out.bytes;
}

struct refusal {
    const char* what;
    std::function<std::string()> bytes;
    const char* phrase;
};

TEST(ReplayFile, EveryBadValueIsRefusedWithItsReason)
{
    using data = replay_data&;
    using text = std::string&;
    const refusal table[] = {
        {"other magic", [] { return changed_file([](text b) { b[2] = 'X'; }); }, "not a replay file"},
        {"a map file", [] { return tower_text(); }, "not a replay file"},
        {"newer version", [] { return changed_file([](text b) { b[8] = 5; }); },
         "a replay of format version 5; this game reads versions 1 to 4"},
        {"version 0", [] { return changed_file([](text b) { b[8] = 0; }); }, "a replay of format version 0"},
        {"empty name", [] { return changed_replay([](data r) { r.setup.humans[1].name.clear(); }); },
         "human 2: a name of 0 bytes (1 to 15)"},
        {"name with a dot", [] { return changed_replay([](data r) { r.setup.humans[0].name = "a.b"; }); },
         "human 1: the name is not a player's name"},
        {"cut in the header", [] { return changed_file([](text b) { b.resize(12); }); }, "too short"},
        {"cut in the zlib stream", [] { return changed_file([](text b) { b.resize(b.size() / 2); }); },
         "damaged"},
        {"cut at the last byte", [] { return changed_file([](text b) { b.pop_back(); }); },
         "damaged: its packed body is cut short"},
        {"length one longer", [] { return changed_file([](text b) { change_length(b, 1); }); },
         "damaged: its body unpacks to"},
        {"length one shorter", [] { return changed_file([](text b) { change_length(b, -1); }); },
         "damaged: its body unpacks to more than"},
        {"length 0", [] { return changed_file([](text b) { b.replace(12, 4, 4, '\0'); }); }, "damaged"},
        {"length beyond the limit", [] { return changed_file([](text b) { b[15] = 0x7f; }); }, "damaged"},
        {"length the file cannot hold", [] { return changed_file([](text b) { b[14] = char(0x80); b[15] = 0; }); },
         "cannot hold"},
        {"trailing garbage", [] { return changed_file([](text b) { b += "junk"; }); }, "trailing garbage"},
        {"body cut in the seed", [] { return changed_body([](text b) { b.resize(3); }); },
         "the body ends inside the seed"},
        {"body cut in the map name", [] { return changed_body([](text b) { b.resize(10); }); },
         "the body ends inside the map name"},
        {"body cut in the map text", [] { return changed_body([](text b) { b.resize(b.size() / 2); }); },
         "the body ends inside the map text"},
        {"body cut at the end", [] { return changed_body([](text b) { b.pop_back(); }); },
         "chat line 4: the body ends inside the chat line"},
        {"body cut after the humans",
         [] { return wrap_replay_body(pack_replay_body(two_humans(), 2), 3); },
         "the body ends inside the score limit"},
        {"trailing bytes in the body", [] { return changed_body([](text b) { b += '\0'; }); },
         "1 byte after the chat"},
        {"trailing bytes in an older body",
         [] { return wrap_replay_body(pack_replay_body(two_humans(), 2) + '\0', 2); },
         "1 byte after the last human"},
        {"score limit", [] { return changed_replay([](data r) { r.setup.rules.score_limit++; }); },
         "a score limit of 1000 kills (0 to 999)"},
        {"time limit", [] { return changed_replay([](data r) { r.setup.rules.time_limit++; }); },
         "a time limit of 1441 minutes (0 to 1440)"},
        {"chat line after the end", [] { return changed_replay([](data r) { r.chat[3].tick++; }); },
         "chat line 4: its tick is after the match's last tick, 6000"},
        {"chat lines out of order",
         [] { return changed_replay([](data r) { std::swap(r.chat[2], r.chat[3]); }); },
         "chat line 4: its tick is after the match's last tick"},
        {"chat speaker beyond the humans", [] { return changed_replay([](data r) { r.chat[1].slot = 2; }); },
         "chat line 2: the speaker 2 is not one of the 2 humans"},
        {"empty chat line", [] { return changed_replay([](data r) { r.chat[0].text.clear(); }); },
         "chat line 1: a chat line of 0 bytes (1 to 100)"},
        {"chat line too long", [] { return changed_replay([](data r) { r.chat[3].text += 'x'; }); },
         "chat line 4: a chat line of 101 bytes"},
        {"chat line with a tab", [] { return changed_replay([](data r) { r.chat[2].text = "g\tg"; }); },
         "chat line 3: the chat line's byte 2 is 9, not a printable character"},
        {"chat line with a byte beyond 126", [] { return changed_replay([](data r) { r.chat[2].text = "\x80"; }); },
         "the chat line's byte 1 is 128"},
        {"overlong number", [] { return changed_body([](text b) { b.replace(4, 1, 11, '\xff'); }); },
         "the skill is not a number"},
        {"skill", [] { return changed_replay([](data r) { r.setup.skill = 3; }); }, "skill 3 is not"},
        {"bots", [] { return changed_replay([](data r) { r.setup.bots = 11; }); }, "11 bots"},
        {"too many fighters", [] { return changed_replay([](data r) { r.setup.bots = 10; }); },
         "2 humans and 10 bots at the start; a match has 2 to 11 fighters"},
        {"too few fighters",
         [] { return changed_replay([](data r) { r.humans.pop_back(), r.setup.humans.pop_back(), r.setup.bots = 0; }); },
         "1 human and 0 bots"},
        {"no humans", [] { return changed_replay([](data r) { r.humans.clear(); }); }, "0 humans"},
        {"hair", [] { return changed_replay([](data r) { r.setup.humans[1].colors[0] = 3; }); },
         "human 2: hair colour 3 is not 0 to 2"},
        {"pants", [] { return changed_replay([](data r) { r.setup.humans[0].colors[2] = 6; }); },
         "human 1: pants colour 6"},
        {"scale 0", [] { return changed_replay([](data r) { r.humans[0].scale_x = 0; }); },
         "human 1: the horizontal scale 0 is not"},
        {"scale not a number", [] { return changed_replay([](data r) { r.humans[0].scale_y = NAN; }); },
         "the vertical scale nan"},
        {"scale too big", [] { return changed_replay([](data r) { r.humans[1].scale_y = 101; }); },
         "the vertical scale 101"},
        {"keys", [] { return changed_replay([](data r) { r.humans[0].runs[1].reading.keys |= 1 << 9; }); },
         "human 1, run 2: keys 0x205 hold one the game has no key for"},
        {"buttons", [] { return changed_replay([](data r) { r.humans[0].runs[1].reading.buttons = 4; }); },
         "no button for"},
        {"pointer",
         [] { return changed_replay([](data r) { r.humans[1].runs[3].reading.pointer_y = -1000001; }); },
         "human 2, run 4: the pointer's y goes beyond 1000000 pixels"},
        {"run of 0 ticks", [] { return changed_replay([](data r) { r.humans[0].runs[2].ticks = 0; }); },
         "human 1, run 3: the run lasts 0 ticks"},
        {"human longer than the match",
         [] { return changed_replay([](data r) { r.humans[0].runs[0].ticks++; }); },
         "human 1, run 6: the runs last longer than the match's 6000 ticks"},
        {"first human came late", [] { return changed_late([](data r) { r.humans[0].first_tick = 10; }); },
         "human 1: it came in late, at tick 10; the first human began the match"},
        {"one who began after one who came late",
         [] { return changed_late([](data r) { r.humans.push_back(r.humans[0]), r.setup.humans.push_back({}); }); },
         "human 4: it began the match, after a human who came in late"},
        {"late ones out of order",
         [] { return changed_late([](data r) { r.humans.push_back(r.humans[2]), r.setup.humans.push_back({}), r.humans[3].first_tick--; }); },
         "human 4: it came in at tick 3999, before human 3 at tick 4000"},
        {"came in at the end", [] { return changed_late([](data r) { r.humans[2].first_tick = 6000; }); },
         "human 3: it came in at tick 6000, when the match's 6000 ticks were over"},
        {"late one's runs past the end", [] { return changed_late([](data r) { r.humans[2].first_tick++; }); },
         "human 3, run 2: the runs from tick 4001 last longer than the match's 6000 ticks"},
        {"more late than bots", [] { return changed_late([](data r) { r.setup.bots = 0; }); },
         "1 human came in late, but only 0 bots had fighters to take over"},
        {"late ones count no fighter at the start",
         [] { return changed_late([](data r) { r.humans.erase(r.humans.begin() + 1), r.setup.humans.pop_back(), r.setup.bots = 0; }); },
         "1 human and 0 bots at the start"},
        {"checkpoints out of order",
         [] { return changed_replay([](data r) { std::swap(r.checkpoints[2], r.checkpoints[3]); }); },
         "checkpoint 4 at tick 2000 is not after the one at tick 3000"},
        {"checkpoint after the end",
         [] { return changed_replay([](data r) { r.checkpoints.back().tick++; }); },
         "checkpoint 7 at tick 6001 is after the match's last tick"},
        {"too many checkpoints",
         [] { return changed_replay([](data r) { r.ticks = 999, r.checkpoints.resize(3); }); },
         "3 checkpoints in 999 ticks"},
        {"map name with a path", [] { return changed_replay([](data r) { r.setup.map_name = "../a.zkm"; }); },
         "the map name \"../a.zkm\" is not a map file name"},
        {"map name not of a map", [] { return changed_replay([](data r) { r.setup.map_name = "tower.txt"; }); },
         "is not a map file name"},
        {"map text", [] { return changed_replay([](data r) { r.setup.map_text.resize(2000); }); },
         "its map: tower.zkm: the file ends before the cell"},
        {"huge run count in a tiny file", [] { return wrap_replay_body(tiny_body(0, 4000000000u)); },
         "human 1: 4000000000 runs in a match of 8640000 ticks"},
        {"run count beyond the bytes", [] { return wrap_replay_body(tiny_body(0, 5000000)); },
         "5000000 runs in the 0 bytes left"},
        {"checkpoint count beyond the bytes", [] { return wrap_replay_body(tiny_body(8000, 0)); },
         "8000 checkpoints in the 0 bytes left"},
    };
    for (const refusal& row : table) {
        replay_data out;
        std::string error;
        EXPECT_FALSE(unpack_replay(row.bytes(), out, error)) << row.what;
        EXPECT_NE(error.find(row.phrase), std::string::npos) << row.what << ": \"" << error << "\"";
        EXPECT_EQ(error.find('\n'), std::string::npos) << row.what;
    }
}

// A fresh folder, removed with all it holds at the end.
struct temp_folder {
    temp_folder()
    {
        char name[] = "/tmp/zk3-replays-XXXXXX";
        root = mkdtemp(name);
    }
    ~temp_folder() { fs::remove_all(root); }
    void touch(const fs::path& name) const { std::ofstream(root / name) << "old"; }
    bool has(const fs::path& name) const { return fs::exists(root / name); }
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            found.push_back(fs::relative(entry.path(), root).string());
        std::sort(found.begin(), found.end());
        return found;
    }
    fs::path root;
};

// "YYYY-MM-DD_HH-MM-SS_tower", `seconds` from now.
std::string stem_in(int seconds)
{
    const std::time_t when = std::time(nullptr) + seconds;
    std::tm local = {};
    localtime_r(&when, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d_%H-%M-%S", &local);
    return std::string(date) + "_tower";
}

TEST(ReplayFolder, SavesUnderTheNextFreeNameAndKeepsTheNewest)
{
    temp_folder folder;
    const fs::path replays = "made/replays";
    fs::create_directories(folder.root / replays);
    // The name and its -2 are taken, in whichever of the next seconds the saves fall.
    for (int seconds = 0; seconds < 5; seconds++) {
        folder.touch(replays / (stem_in(seconds) + ".zkr"));
        folder.touch(replays / (stem_in(seconds) + "-2.zkr"));
    }
    const char* const oldest[] = {"2020-01-01_00-00-00_tower.zkr", "2020-01-02_00-00-00_tower.zkr",
                                  "2020-01-02_00-00-00_tower-2.zkr"};
    const char* const older_kept[] = {"2020-01-02_00-00-00_tower-9.zkr", "2020-01-02_00-00-00_tower-10.zkr"};
    for (const char* name : oldest)
        folder.touch(replays / name);
    for (const char* name : older_kept)
        folder.touch(replays / name);
    for (const char* other : {"notes.txt", ".zkr", "2000-01-01_tower.zkr.tmp"})
        folder.touch(replays / other);

    const replay_data replay = two_humans();
    std::string path;
    std::string error;
    ASSERT_TRUE(save_replay(replay, (folder.root / replays).string(), 100, path, error)) << error;
    EXPECT_EQ(fs::path(path).parent_path(), folder.root / replays);
    EXPECT_TRUE(std::regex_match(fs::path(path).filename().string(),
                                 std::regex(R"(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d_tower-3\.zkr)")))
        << path;
    replay_data back;
    ASSERT_TRUE(load_replay(path, back, error)) << error;
    EXPECT_TRUE(back == replay);

    // Seventeen replays with this one: the three oldest go; -9 is older than -10.
    ASSERT_TRUE(save_replay(replay, (folder.root / replays).string(), 14, path, error)) << error;
    for (const char* name : oldest)
        EXPECT_FALSE(folder.has(replays / name)) << name;
    for (const char* name : older_kept)
        EXPECT_TRUE(folder.has(replays / name)) << name;
    EXPECT_EQ(folder.names().size(), 2u + 3 + 14) << "the two folders, the other files, 14 replays";
}

TEST(ReplayFolder, AFolderItCannotMakeLeavesNothingBehind)
{
    temp_folder folder;
    folder.touch("file");
    std::string path = "unchanged";
    std::string error;
    for (const std::string& where : {(folder.root / "file" / "replays").string(), std::string()}) {
        EXPECT_FALSE(save_replay(two_humans(), where, 10, path, error)) << where;
        EXPECT_FALSE(error.empty() || error.find('\n') != std::string::npos) << error;
    }
    EXPECT_EQ(path, "unchanged");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"file"});
    replay_data out;
    EXPECT_FALSE(load_replay((folder.root / "none.zkr").string(), out, error));
    EXPECT_NE(error.find("none.zkr"), std::string::npos) << error;
    EXPECT_FALSE(load_replay((folder.root / "file").string(), out, error));
    EXPECT_NE(error.find("file: too short"), std::string::npos) << error;
}

}  // namespace

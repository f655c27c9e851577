// Opening and saving in the editor: what it refuses to open, a save that
// reads back the same, shipped maps saved byte for byte, and saves that fail
// without losing the map on disk or the work in the editor.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include <unistd.h>

#include "editor_test.h"
#include "map/map_file.h"

namespace {

namespace fs = std::filesystem;

const char map_path[] = "zkm/edit.zkm";

// The map as the game reads it from `path`, or fails the test.
struct read_back {
    explicit read_back(const std::string& path)
    {
        std::ifstream file(path);
        std::string error;
        ok = read_map_file(file, path.c_str(), header, cells, error);
        EXPECT_TRUE(ok) << error;
    }
    bool ok;
    map_header header;
    cell_grid cells;
};

class EditorSave : public EditorTest {
protected:
    // Saves as the mode loop does: the dialog's first button, then save().
    bool save_through_dialog()
    {
        leave_through(save_x, button_y);
        EXPECT_EQ(editor.get_quit(), ceditor::save_and_leave);
        return editor.save();
    }
    std::vector<std::string> listed()
    {
        map.load();
        std::vector<std::string> names;
        char name[cmap::max_name_length + 1];
        for (int i = 0; i < map.get_nm(); i++) {
            map.get_name(i, name, false);
            names.push_back(name);
        }
        return names;
    }
};

TEST_F(EditorSave, SavedMapReadsBackWithItsEditsAndABackup)
{
    const std::string before = file_text(map_path);
    tap(ALLEGRO_KEY_2);
    press(1, 100, 100);  // wall 1 at (2, 2)
    tap(ALLEGRO_KEY_3);
    tap(ALLEGRO_KEY_X, 15);
    press(1, 60, 20);  // marker 16 on 10200
    press(2, 390, 390);  // the last cell erased
    ASSERT_TRUE(save_through_dialog()) << editor.get_message();
    EXPECT_FALSE(editor.get_changed());

    EXPECT_EQ(file_text(std::string(map_path) + ".bak"), before);
    EXPECT_FALSE(fs::exists(std::string(map_path) + ".tmp"));
    EXPECT_EQ(listed(), std::vector<std::string>{"edit.zkm"}) << "the backup is not listed";

    read_back saved(map_path);
    ASSERT_TRUE(saved.ok);
    map_text expected = editor_map();
    expected.codes[22] = 10000;
    expected.codes[1] = 10216;
    expected.codes[99] = 0;
    EXPECT_EQ(file_text(map_path), expected.str()) << "the layout every map file has";
    const float sky[6] = {0, 0, 0.5f, 0, 0, 0.75f};
    for (int i = 0; i < 6; i++)
        EXPECT_FLOAT_EQ(saved.header.sky[i], sky[i]);
    EXPECT_STREQ(saved.header.picture_names[0][6], "b7.png");
    EXPECT_STREQ(saved.header.picture_names[1][1], "w2.png");

    // Saved again with no change: the same bytes, and the backup follows.
    const std::string first = file_text(map_path);
    open();
    ASSERT_TRUE(save_through_dialog());
    EXPECT_EQ(file_text(map_path), first);
    EXPECT_EQ(file_text(std::string(map_path) + ".bak"), first);
}

// A shipped map opened and saved unchanged comes out byte for byte; its
// pictures are not in this folder, which the editor tells but survives.
TEST_F(EditorSave, ShippedMapsSaveByteForByte)
{
    for (const char* name : {"bastion.zkm", "canyon.zkm", "foundry.zkm", "tower.zkm"}) {
        const std::string shipped = file_text(std::string(ZK3_GAME_DIR) + "/zkm/" + name);
        ASSERT_FALSE(shipped.empty()) << name;
        folder.write(map_path, shipped);
        open();
        EXPECT_NE(std::string(editor.get_message()).find("cannot load png/"), std::string::npos);
        ASSERT_TRUE(save_through_dialog()) << name << ": " << editor.get_message();
        EXPECT_EQ(file_text(map_path), shipped) << name;
        editor.deinit();
    }
}

// Each obstacle makes the save fail: the map on disk stays as it was, the
// reason is on screen, the dialog is up again and the edit is still there.
// Once the obstacle is gone, the same save goes through.
TEST_F(EditorSave, FailedSaveLosesNothing)
{
    const std::string temporary = std::string(map_path) + ".tmp";
    const std::string backup = std::string(map_path) + ".bak";
    const struct {
        const char* what;
        std::function<void()> block;
        std::function<void()> clear;
    } obstacles[] = {
        {"the temporary file's name is a folder", [&] { fs::create_directory(temporary); },
         [&] { fs::remove(temporary); }},
        {"the backup's name is a folder", [&] { fs::create_directory(backup); },
         [&] { fs::remove(backup); }},
        {"the disk is full", [&] { fs::create_symlink("/dev/full", temporary); },
         [&] { fs::remove(temporary); }},
        {"the folder is read-only", [] { fs::permissions("zkm", fs::perms::owner_write, fs::perm_options::remove); },
         [] { fs::permissions("zkm", fs::perms::owner_write, fs::perm_options::add); }},
    };
    for (const auto& obstacle : obstacles) {
        SCOPED_TRACE(obstacle.what);
        fs::remove(backup);
        const std::string before = file_text(map_path);
        open();
        tap(ALLEGRO_KEY_2);
        press(1, 100, 100);
        obstacle.block();
        if (std::string(obstacle.what) == "the folder is read-only" && geteuid() == 0) {
            obstacle.clear();
            std::printf("skipped: as root, a read-only folder is still written\n");
            continue;
        }
        EXPECT_FALSE(save_through_dialog());
        EXPECT_EQ(file_text(map_path), before);
        EXPECT_EQ(editor.get_quit(), ceditor::asking);
        EXPECT_NE(std::string(editor.get_message()).find("NOT SAVED"), std::string::npos);
        EXPECT_EQ(editor.get_cell(2, 2), 10000);
        EXPECT_TRUE(editor.get_changed());
        obstacle.clear();
        EXPECT_FALSE(fs::exists(temporary));

        press(1, save_x, button_y);
        ASSERT_EQ(editor.get_quit(), ceditor::save_and_leave);
        EXPECT_TRUE(editor.save()) << editor.get_message();
        EXPECT_EQ(read_back(map_path).cells[2][2], 10000);
        EXPECT_EQ(file_text(backup), before);
        folder.write(map_path, editor_map().str());
    }
}

// The game refuses a map with no spawn point or more than 32, so the editor
// does not write one.
TEST_F(EditorSave, MapWithoutSpawnPointIsNotSaved)
{
    const std::string before = file_text(map_path);
    press(2, 5, 5);  // the two spawn points
    press(2, 395, 395);
    EXPECT_FALSE(save_through_dialog());
    EXPECT_EQ(file_text(map_path), before);
    EXPECT_NE(std::string(editor.get_message()).find("this one has 0"), std::string::npos);
}

// A map the game would refuse is not opened: the reason names the file.
TEST_F(EditorSave, UnreadableMapIsNotOpened)
{
    const struct {
        const char* text;
        const char* error;
    } maps[] = {
        {"120 80 0 0 0 0 0 0 0 0 0 0 0 0 0 0", "zkm/edit.zkm: no spawn point"},
        {"120 80 0 0 0", "zkm/edit.zkm: the file ends before the bottom red"},
        {"", "zkm/edit.zkm: the file ends before the width"},
    };
    for (const auto& m : maps) {
        editor.deinit();
        folder.write(map_path, m.text);
        map.load();
        EXPECT_FALSE(editor.init());
        EXPECT_EQ(std::string(editor.get_error()).rfind(m.error, 0), 0u) << editor.get_error();
        EXPECT_EQ(editor.get_width(), 0);
    }
    fs::remove(map_path);
    map.load();
    EXPECT_FALSE(editor.init());
    EXPECT_STREQ(editor.get_error(), "no map to edit: zkm/ holds no map file");
}

}  // namespace

// Opening and saving in the editor: what it refuses to open, a save that
// reads back the same, shipped maps saved byte for byte, and saves that fail
// without losing the map on disk or the work in the editor.
#include <cstdio>
#include <filesystem>
#include <functional>

#include <unistd.h>

#include "editor_test.h"
#include "map/map_file.h"

namespace {

namespace fs = std::filesystem;

const std::string map_path = "zkm/edit.zkm";
const std::string backup = map_path + ".bak";
const std::string temporary = map_path + ".tmp";

class EditorSave : public EditorTest {
protected:
    // As the mode loop saves: the dialog's first button, then save().
    static bool save_through_dialog()
    {
        leave_through(save_x);
        EXPECT_EQ(editor.get_quit(), ceditor::save_and_leave);
        return editor.save();
    }
    static bool message_says(const char* text)
    {
        return std::string(editor.get_message()).find(text) != std::string::npos;
    }
};

TEST_F(EditorSave, SavedMapReadsBackWithItsEditsAndABackup)
{
    const std::string before = file_text(map_path);
    tap(ALLEGRO_KEY_2);
    press(1, 100, 100);  // wall 1 at (2, 2)
    tap(ALLEGRO_KEY_3);
    tap(ALLEGRO_KEY_X, 15);
    press(1, 60, 20);    // marker 16 on 10200
    press(2, 390, 390);  // the last cell erased
    ASSERT_TRUE(save_through_dialog()) << editor.get_message();
    EXPECT_FALSE(editor.get_changed());
    EXPECT_EQ(file_text(backup), before);
    EXPECT_FALSE(fs::exists(temporary));
    map.load();
    EXPECT_EQ(map.get_nm(), 1) << "the backup is listed";

    map_text expected = editor_map();
    expected.codes[22] = 10000;
    expected.codes[1] = 10216;
    expected.codes[99] = 0;
    EXPECT_EQ(file_text(map_path), expected.str());
    std::ifstream file(map_path);
    map_header header;
    static cell_grid cells;
    std::string error;
    ASSERT_TRUE(read_map_file(file, "saved", header, cells, error)) << error;
    EXPECT_EQ(cells[1][0], 10216);
    EXPECT_FLOAT_EQ(header.sky[5], 0.75f);
    EXPECT_STREQ(header.picture_names[1][1], "w2.png");
}

// Opened and saved unchanged, a shipped map comes out byte for byte. Its
// pictures are not in this folder: the editor says so but edits on.
TEST_F(EditorSave, ShippedMapsSaveByteForByte)
{
    for (const char* name : {"bastion.zkm", "canyon.zkm", "foundry.zkm", "tower.zkm"}) {
        const std::string shipped = file_text(std::string(ZK3_GAME_DIR) + "/zkm/" + name);
        ASSERT_FALSE(shipped.empty()) << name;
        folder.write(map_path, shipped);
        open();
        EXPECT_TRUE(message_says("cannot load png/"));
        ASSERT_TRUE(save_through_dialog()) << name << ": " << editor.get_message();
        EXPECT_EQ(file_text(map_path), shipped) << name;
    }
}

// Each obstacle makes the save fail: the map on disk stays as it was, the
// reason shows, the dialog is up again and the edit is still there. Once
// the obstacle is gone, the same save goes through.
TEST_F(EditorSave, FailedSaveLosesNothing)
{
    const struct {
        const char* what;
        std::function<void()> block, clear;
    } obstacles[] = {
        {"a folder named like the temporary file", [] { fs::create_directory(temporary); },
         [] { fs::remove(temporary); }},
        {"a folder named like the backup", [] { fs::create_directory(backup); },
         [] { fs::remove(backup); }},
        {"a full disk", [] { fs::create_symlink("/dev/full", temporary); },
         [] { fs::remove(temporary); }},
        {"a read-only folder",
         [] { fs::permissions("zkm", fs::perms::owner_write, fs::perm_options::remove); },
         [] { fs::permissions("zkm", fs::perms::owner_write, fs::perm_options::add); }},
    };
    for (const auto& obstacle : obstacles) {
        SCOPED_TRACE(obstacle.what);
        if (obstacle.what == std::string("a read-only folder") && geteuid() == 0) {
            std::printf("Skipped %s: root writes into it all the same\n", obstacle.what);
            continue;
        }
        folder.write(map_path, editor_map().str());
        fs::remove(backup);
        const std::string before = file_text(map_path);
        open();
        tap(ALLEGRO_KEY_2);
        press(1, 100, 100);
        obstacle.block();
        EXPECT_FALSE(save_through_dialog());
        EXPECT_EQ(file_text(map_path), before);
        EXPECT_EQ(editor.get_quit(), ceditor::asking);
        EXPECT_TRUE(message_says("NOT SAVED")) << editor.get_message();
        EXPECT_EQ(editor.get_cell(2, 2), 10000);
        obstacle.clear();
        EXPECT_FALSE(fs::exists(temporary));

        press(1, save_x, 540);
        EXPECT_TRUE(editor.save()) << editor.get_message();
        EXPECT_NE(file_text(map_path), before);
        EXPECT_EQ(file_text(backup), before);
    }
}

// The game refuses a map without a spawn point, so the editor writes none.
TEST_F(EditorSave, MapWithoutSpawnPointIsNotSaved)
{
    const std::string before = file_text(map_path);
    press(2, 5, 5);
    press(2, 395, 395);
    EXPECT_FALSE(save_through_dialog());
    EXPECT_EQ(file_text(map_path), before);
    EXPECT_TRUE(message_says("this one has 0"));
}

// A map the game would refuse is not opened, and the reason names the file.
TEST_F(EditorSave, UnreadableMapIsNotOpened)
{
    folder.write(map_path, "120 80 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_FALSE(editor.init());
    EXPECT_STREQ(editor.get_error(),
                 "zkm/edit.zkm: no spawn point (no cell has a marker from 1 to 8)");
    EXPECT_EQ(editor.get_width(), 0);
    fs::remove(map_path);
    map.load();
    EXPECT_FALSE(editor.init());
    EXPECT_STREQ(editor.get_error(), "no map to edit: zkm/ holds no map file");
}

}  // namespace

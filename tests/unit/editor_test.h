// Shared by the editor's tests: a game folder of its own whose only map,
// zkm/edit.zkm, is 10 x 10 cells with seven back pictures (b1..b7, red
// shades) and two wall pictures (w1, w2, blue shades) under a blue sky; the
// editor opened on it with scripted input.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "frontend/coptions.h"
#include "map/ceditor.h"
#include "map/cmap.h"
#include "scripted_input.h"
#include "test_map_folder.h"

inline map_text editor_map()
{
    map_text text;
    text.columns = 10;
    text.rows = 10;
    for (int k = 1; k <= 7; k++)
        text.back.push_back("b" + std::to_string(k) + ".png");
    text.wall = {"w1.png", "w2.png"};
    text.sky = "0 0 0.5\n0 0 0.75\n";  // no green: grid lines show in green
    text.codes.assign(100, 0);
    text.codes[0] = 1;       // a spawn point: the map must have one
    text.codes[1] = 10200;   // wall 1 over back 2
    text.codes[99] = 20705;  // wall 2 over back 7 with marker 5
    return text;
}

inline std::string file_text(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream whole;
    whole << file.rdbuf();
    return whole.str();
}

class EditorTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (int k = 1; k <= 7; k++)
            folder.write_tile("b" + std::to_string(k) + ".png", al_map_rgb(100 + 20 * k, 0, 0));
        folder.write_tile("w1.png", al_map_rgb(0, 0, 150));
        folder.write_tile("w2.png", al_map_rgb(0, 0, 250));
        folder.write("zkm/edit.zkm", editor_map().str());
        scripted_input::install();
        open();
    }
    void TearDown() override
    {
        editor.deinit();
        scripted_input::uninstall();
    }

    void open()
    {
        map.load();
        ASSERT_TRUE(editor.init()) << editor.get_error();
    }
    // A key held for one step, then released for one.
    static void tap(int keycode, int times = 1)
    {
        for (int i = 0; i < times; i++) {
            scripted_input::set_key(keycode, true);
            editor.update();
            scripted_input::set_key(keycode, false);
            editor.update();
        }
    }
    // A press of `button` at (x, y) for one step, then its release.
    static void press(int button, int x, int y)
    {
        scripted_input::set_pointer(x, y);
        scripted_input::set_button(button, true);
        editor.update();
        scripted_input::set_button(button, false);
        editor.update();
    }
    // Escape, then a press on the dialog at (x, y).
    static void leave_through(int x, int y)
    {
        tap(ALLEGRO_KEY_ESCAPE);
        press(1, x, y);
    }

    static constexpr int save_x = 700, discard_x = 1100, button_y = 540;

    temp_game_folder folder;
};

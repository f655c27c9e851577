// The editor's tests share a game folder of their own whose only map,
// zkm/edit.zkm, is 10 x 10 cells under a blue sky, with seven back pictures
// (red shades) and two wall pictures (blue shades); the editor is opened on
// it with scripted input.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "map/ceditor.h"
#include "scripted_input.h"
#include "test_map_folder.h"

inline map_text editor_map()
{
    map_text text;
    text.columns = text.rows = 10;
    for (int k = 1; k <= 7; k++)
        text.back.push_back("b" + std::to_string(k) + ".png");
    text.wall = {"w1.png", "w2.png"};
    text.sky = "0 0 0.5\n0 0 0.75\n";  // no green: the grid's lines show in green
    text.codes.assign(100, 0);
    text.codes[0] = 1;       // spawn points: the map must have one
    text.codes[1] = 10200;   // wall 1 over back 2
    text.codes[99] = 20705;  // wall 2 over back 7 with marker 5
    return text;
}

// One pixel of a memory bitmap as {r, g, b}.
inline std::vector<int> rgb(ALLEGRO_BITMAP* picture, int x, int y)
{
    unsigned char c[3];
    al_unmap_rgb(al_get_pixel(picture, x, y), &c[0], &c[1], &c[2]);
    return {c[0], c[1], c[2]};
}

inline std::string file_text(const std::string& path)
{
    std::stringstream whole;
    whole << std::ifstream(path, std::ios::binary).rdbuf();
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

    static void open()
    {
        map.load();
        ASSERT_TRUE(editor.init()) << editor.get_error();
    }
    // Down for one step, then up for one.
    static void tap(int keycode, int times = 1)
    {
        for (int i = 0; i < times; i++)
            for (bool down : {true, false}) {
                scripted_input::set_key(keycode, down);
                editor.update();
            }
    }
    static void press(int button, int x, int y)
    {
        scripted_input::set_pointer(x, y);
        for (bool down : {true, false}) {
            scripted_input::set_button(button, down);
            editor.update();
        }
    }
    // Escape, then a press on the dialog at (x, 540).
    static void leave_through(int x)
    {
        tap(ALLEGRO_KEY_ESCAPE);
        press(1, x, 540);
    }

    static constexpr int save_x = 700;
    temp_game_folder folder;
};

// The options screen: its arrow areas and their limits, the click latch, the
// map names, leaving with and without a new display mode, and what it draws.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/assets.h"
#include "frontend/cmenu.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "scripted_input.h"
#include "test_map_folder.h"

namespace {

// Row centres, arrow centres (left column left and right, right column left
// and right) and the back button's centre, in logical units (headless, the
// scale is 1).
const int row_y[5] = {318, 386, 454, 522, 590};
const int arrow_x[4] = {544, 872, 1175, 1503};
const int back_x = 960;
const int back_y = 805;

std::vector<int> settings()
{
    return {options.get_bots(),  options.get_skill(),    options.get_kills(),
            options.get_level(), options.get_fps(),      options.color(0),
            options.color(1),    options.color(2),       options.get_fullscreen(),
            options.get_quit(),  options.get_antialiasing()};
}

class OptionsScreen : public testing::Test {
protected:
    void SetUp() override
    {
        saved = options;
        scripted_input::install();
        menu.set_choice(mode_options);
        options.init();
    }
    void TearDown() override
    {
        scripted_input::uninstall();
        options = saved;
        menu.set_choice(mode_start);
        map.load();  // the game folder's list again
    }

    // One step with the button up, then one with it down at (x, y).
    void click(int x, int y)
    {
        scripted_input::set_pointer(x, y);
        scripted_input::set_button(1, false);
        options.update();
        scripted_input::set_button(1, true);
        options.update();
    }
    void click_times(int x, int y, int times)
    {
        for (int i = 0; i < times; i++)
            click(x, y);
    }

    coptions saved;
};

// Each setting: its row and column, where many presses of each arrow leave
// it, and its value after the other arrow's first press from there.
struct setting_case {
    const char* name;
    int row;
    int column;  // 0 left, 1 right
    std::function<int()> value;
    int left_end;
    int right_end;
};

TEST_F(OptionsScreen, ArrowsStepAndStopAtTheEnds)
{
    const setting_case cases[] = {
        {"display mode", 0, 0, [] { return int(options.get_fullscreen()); }, 1, 0},
        {"show fps", 2, 0, [] { return int(options.get_fps()); }, 1, 0},
        {"kills", 4, 0, [] { return options.get_kills(); }, 1, 50},
        {"bots", 0, 1, [] { return options.get_bots(); }, 1, 10},
        {"skill: left is easier", 1, 1, [] { return options.get_skill(); }, 2, 0},
        {"hair", 2, 1, [] { return options.color(0); }, 0, 2},
        {"shirt", 3, 1, [] { return options.color(1); }, 0, 5},
        {"pants", 4, 1, [] { return options.color(2); }, 0, 5},
    };
    for (const setting_case& c : cases) {
        SCOPED_TRACE(c.name);
        int left = arrow_x[2 * c.column];
        int right = arrow_x[2 * c.column + 1];
        int y = row_y[c.row];
        click_times(left, y, 60);
        EXPECT_EQ(c.value(), c.left_end);
        click(right, y);
        int towards_right = c.right_end > c.left_end ? 1 : -1;
        EXPECT_EQ(c.value(), c.left_end + towards_right) << "one press, one step";
        click_times(right, y, 60);
        EXPECT_EQ(c.value(), c.right_end);
        click(left, y);
        EXPECT_EQ(c.value(), c.right_end - towards_right);
    }
    EXPECT_FALSE(options.get_quit());
}

TEST_F(OptionsScreen, PressesOnEdgesAndFixedPlacesChangeNothing)
{
    const int nothing[][2] = {
        {534, 318}, {555, 318}, {862, 318}, {883, 318},      // arrow areas' x edges
        {1165, 318}, {1186, 318}, {1493, 318}, {1514, 318},
        {544, 299}, {544, 338}, {1503, 571}, {1503, 610},    // rows' y edges
        {544, 352}, {700, 318}, {1300, 454},                 // between rows, between arrows
        {544, 386}, {872, 386},                              // antialiasing is only shown
        {809, 805}, {1110, 805}, {960, 779}, {960, 830},     // the back button's edges
    };
    options.set_antialiasing(4);
    const std::vector<int> before = settings();
    for (const auto& at : nothing) {
        click(at[0], at[1]);
        EXPECT_EQ(settings(), before) << "press at " << at[0] << ", " << at[1];
    }
    // One unit inside an arrow's corner still acts.
    click(1166, 300);
    EXPECT_EQ(options.get_bots(), 2);
    click(1513, 337);
    EXPECT_EQ(options.get_bots(), 3);
}

TEST_F(OptionsScreen, OnlyANewLeftPressClicks)
{
    // Held since init: nothing, however long.
    scripted_input::set_pointer(arrow_x[3], row_y[0]);
    scripted_input::set_button(1, true);
    for (int step = 0; step < 20; step++)
        options.update();
    EXPECT_EQ(options.get_bots(), 3);

    // Pressed elsewhere, then slid onto the arrow while held: nothing.
    click(100, 100);
    scripted_input::set_pointer(arrow_x[3], row_y[0]);
    options.update();
    EXPECT_EQ(options.get_bots(), 3);

    // The right button never clicks.
    scripted_input::set_button(1, false);
    options.update();
    scripted_input::set_button(2, true);
    options.update();
    EXPECT_EQ(options.get_bots(), 3);

    // Released and pressed again: one step.
    scripted_input::set_button(1, true);
    options.update();
    options.update();
    EXPECT_EQ(options.get_bots(), 4);
}

TEST_F(OptionsScreen, MapArrowsFollowTheListedMaps)
{
    struct map_case {
        std::vector<std::string> files;
        int last_level;
        const char* first_name;  // nullptr: whichever the folder yields first
    };
    const map_case cases[] = {
        {{}, 0, ""},
        {{"abcdefghijklmnop.zkm"}, 0, "ABCDEFGHIJKLMNOP"},  // the longest name listed
        {{"arena.zkm", "pit.zkm", "abcdefghijklmnop.zkm"}, 2, nullptr},
    };
    for (const map_case& c : cases) {
        SCOPED_TRACE(c.files.size());
        temp_game_folder folder;
        for (const std::string& file : c.files)
            folder.write("zkm/" + file, "");
        map.load();
        options = saved;
        options.init();

        char expected[cmap::max_name_length + 1];
        map.get_name(0, expected, true);
        EXPECT_STREQ(options.get_map_name(), c.first_name ? c.first_name : expected);

        click_times(arrow_x[1], row_y[3], 5);
        EXPECT_EQ(options.get_level(), c.last_level);
        map.get_name(c.last_level, expected, true);
        EXPECT_STREQ(options.get_map_name(), expected);

        click_times(arrow_x[0], row_y[3], 5);
        EXPECT_EQ(options.get_level(), 0);
    }
}

// Back, after some presses on the display mode: the mode value the menu gets
// and the mode the next display is made in.
TEST_F(OptionsScreen, BackAsksForANewDisplayOnlyWhenTheModeChanged)
{
    struct back_case {
        const char* name;
        bool display_fullscreen;  // the display in force
        std::vector<int> arrows;  // presses on the display mode's arrows
        int choice;
        bool next_display_fullscreen;
    };
    const back_case cases[] = {
        {"no change", true, {}, mode_options, true},
        {"full screen again", true, {0}, mode_options, true},
        {"to a window", true, {1}, mode_windowed_display, false},
        {"to a window and back", true, {1, 0}, mode_options, true},
        {"window kept", false, {1, 1}, mode_options, false},
        {"to full screen", false, {0}, mode_fullscreen_display, true},
    };
    for (const back_case& c : cases) {
        SCOPED_TRACE(c.name);
        // Reach the display in force the way the player does.
        menu.set_choice(mode_options);
        options.init();
        if (options.get_display_fullscreen() != c.display_fullscreen) {
            click(arrow_x[c.display_fullscreen ? 0 : 1], row_y[0]);
            click(back_x, back_y);
        }
        menu.set_choice(mode_options);
        options.init();
        ASSERT_EQ(options.get_display_fullscreen(), c.display_fullscreen);
        EXPECT_EQ(options.get_fullscreen(), c.display_fullscreen) << "init takes the mode in force";

        for (int arrow : c.arrows)
            click(arrow_x[arrow], row_y[0]);
        EXPECT_EQ(menu.get_choice(), mode_options) << "the mode is pending until back";
        EXPECT_FALSE(options.get_quit());
        click(back_x, back_y);
        EXPECT_TRUE(options.get_quit());
        EXPECT_EQ(menu.get_choice(), c.choice);
        EXPECT_EQ(options.get_display_fullscreen(), c.next_display_fullscreen);
    }
}

// What the screen draws, in a memory bitmap.
class OptionsDraw : public OptionsScreen {
protected:
    void SetUp() override
    {
        OptionsScreen::SetUp();
        map.load();  // the shipped maps, so the map row shows a name
        options.init();
        screen = al_create_bitmap(1920, 1080);
        ASSERT_NE(screen, nullptr);
    }
    void TearDown() override
    {
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(screen);
        OptionsScreen::TearDown();
    }
    void draw()
    {
        al_set_target_bitmap(screen);
        options.draw();
    }
    // The text pixels of a row's band between x0 and x1: their right-most
    // column and their brightest grey level (-1 and 0 when there are none).
    // Text is grey to white, brighter than the dark frames and the backdrop;
    // the spans stop short of the frames' light edges.
    struct text_ink {
        int right = -1;
        int brightest = 0;
    };
    text_ink ink(int row, int x0, int x1) const
    {
        text_ink found;
        int top = 299 + 68 * row + 8;
        for (int y = top; y < top + 29; y++) {  // above the frame's bottom line
            for (int x = x0; x < x1; x++) {
                unsigned char r, g, b;
                al_unmap_rgb(al_get_pixel(screen, x, y), &r, &g, &b);
                if (r < 70 || r != g || g != b)
                    continue;
                found.right = std::max(found.right, x);
                found.brightest = std::max<int>(found.brightest, r);
            }
        }
        return found;
    }

    ALLEGRO_BITMAP* screen = nullptr;
};

TEST_F(OptionsDraw, LabelsAndValuesEndAtTheirEdges)
{
    // Values of different lengths, the longest ones included.
    struct shown {
        int antialiasing;
        int bots;
        int skill;
    };
    const shown cases[] = {{-1, 3, 1}, {16, 10, 2}, {4, 1, 0}};
    for (const shown& c : cases) {
        SCOPED_TRACE(c.antialiasing);
        options.set_antialiasing(c.antialiasing);
        options.set_bots(c.bots);
        options.set_skill(c.skill);
        draw();
        for (int row = 0; row < 5; row++) {
            SCOPED_TRACE(row);
            // Label areas end before the frames; value areas inside them.
            const int spans[4][3] = {{150, 530, 495}, {560, 858, 853},
                                     {890, 1160, 1126}, {1190, 1489, 1484}};
            for (const auto& span : spans) {
                int right = ink(row, span[0], span[1]).right;
                EXPECT_GE(right, span[2] - 18) << "text ending at " << span[2];
                EXPECT_LT(right, span[2]) << "text ending at " << span[2];
            }
        }
    }
}

TEST_F(OptionsDraw, KillLimitIsGreyAndTheOtherValuesWhite)
{
    draw();
    EXPECT_NEAR(ink(4, 560, 858).brightest, 92, 4) << "kills";
    EXPECT_GE(ink(4, 1190, 1489).brightest, 250) << "pants";
    EXPECT_GE(ink(0, 560, 858).brightest, 250) << "display mode";
    EXPECT_GE(ink(4, 150, 530).brightest, 250) << "the kills label";
}

}  // namespace

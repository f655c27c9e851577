// The main menu: which press picks which item, and the click latch.
#include <gtest/gtest.h>

#include "app/assets.h"
#include "frontend/cmenu.h"
#include "scripted_input.h"

namespace {

class MenuTest : public testing::Test {
protected:
    void SetUp() override
    {
        scripted_input::install();
        menu.init();
    }
    void TearDown() override { scripted_input::uninstall(); }

    // One step with the button up, then one with it down at (x, y).
    int click(int x, int y)
    {
        scripted_input::set_pointer(x, y);
        scripted_input::set_button(1, false);
        menu.update();
        scripted_input::set_button(1, true);
        menu.update();
        return menu.get_choice();
    }
};

TEST_F(MenuTest, EachItemPicksItsMode)
{
    const int item_centres_y[] = {390, 465, 540, 615, 690};
    for (int item = 0; item < 5; item++) {
        menu.init();
        EXPECT_EQ(click(960, item_centres_y[item]), mode_play + item) << "item " << item;
    }
}

TEST_F(MenuTest, ReplaysAndNetworkSitBelowTheColumnClearOfTheItems)
{
    const struct {
        int x, y, mode;
    } presses[] = {{1036, 765, mode_replays}, {964, 745, mode_replays}, {1109, 785, mode_replays},
                   {963, 765, mode_menu},     {1036, 744, mode_menu},   {1036, 786, mode_menu},
                   {880, 765, mode_network},  {810, 745, mode_network}, {955, 785, mode_network},
                   {809, 765, mode_menu},     {880, 744, mode_menu}};
    for (const auto& press : presses) {
        menu.init();
        EXPECT_EQ(click(press.x, press.y), press.mode) << press.x << ", " << press.y;
    }
}

TEST_F(MenuTest, ButtonHeldSinceInitNeverClicks)
{
    scripted_input::set_pointer(960, 390);
    scripted_input::set_button(1, true);
    for (int step = 0; step < 50; step++)
        menu.update();
    EXPECT_EQ(menu.get_choice(), mode_menu);

    scripted_input::set_button(1, false);
    menu.update();
    scripted_input::set_button(1, true);
    menu.update();
    EXPECT_EQ(menu.get_choice(), mode_play);
}

TEST_F(MenuTest, PressOutsideThenSlidingOntoAnItemSelectsNothing)
{
    EXPECT_EQ(click(100, 100), mode_menu);
    scripted_input::set_pointer(960, 690);
    for (int step = 0; step < 10; step++)
        menu.update();
    EXPECT_EQ(menu.get_choice(), mode_menu);
}

TEST_F(MenuTest, BoxEdgesAreOutside)
{
    const int edges[][2] = {{809, 390}, {1110, 390}, {960, 365}, {960, 416},
                            {960, 440}, {960, 491}, {960, 716}, {960, 428}};
    for (const auto& edge : edges) {
        menu.init();
        EXPECT_EQ(click(edge[0], edge[1]), mode_menu) << edge[0] << ", " << edge[1];
    }
    // One unit inside the corners still hits.
    EXPECT_EQ(click(810, 366), mode_play);
    menu.init();
    EXPECT_EQ(click(1109, 715), mode_quit);
}

TEST_F(MenuTest, OtherButtonsDoNotClick)
{
    scripted_input::set_pointer(960, 390);
    menu.update();
    scripted_input::set_button(2, true);
    menu.update();
    EXPECT_EQ(menu.get_choice(), mode_menu);
}

// Drawing into a memory bitmap: the gradient runs from black to dark red and
// the item pictures sit inside their boxes.
TEST(MenuDraw, GradientAndItemsAreWhereTheyBelong)
{
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    ASSERT_NE(screen, nullptr);
    al_set_target_bitmap(screen);
    al_clear_to_color(al_map_rgb(0, 255, 0));
    menu.draw();

    unsigned char r, g, b;
    al_unmap_rgb(al_get_pixel(screen, 5, 2), &r, &g, &b);
    EXPECT_LE(r, 2);
    EXPECT_EQ(g, 0);
    al_unmap_rgb(al_get_pixel(screen, 5, 1078), &r, &g, &b);
    EXPECT_NEAR(r, 51, 2);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);

    // Each item picture covers its box: its middle differs from the backdrop.
    for (int item = 0; item < 5; item++) {
        int y = 367 + 75 * item + 25;
        ALLEGRO_COLOR backdrop = al_get_pixel(screen, 700, y);
        bool differs = false;
        for (int x = 820; x < 1100 && !differs; x += 4) {
            ALLEGRO_COLOR c = al_get_pixel(screen, x, y);
            differs = c.r != backdrop.r || c.g != backdrop.g || c.b != backdrop.b;
        }
        EXPECT_TRUE(differs) << "item " << item;
        EXPECT_EQ(al_get_bitmap_width(bmenu[1 + item]), 300);
        EXPECT_EQ(al_get_bitmap_height(bmenu[1 + item]), 50);
    }
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

// The credits: the name's fade over the steps, its restart, what is drawn,
// and the keyboard the mode loop's Escape test reads.
#include <algorithm>

#include <gtest/gtest.h>

#include "app/shell.h"
#include "frontend/ccredits.h"
#include "scripted_input.h"

namespace {

class Credits : public testing::Test {
protected:
    void SetUp() override
    {
        scripted_input::install();
        credits.init();
    }
    void TearDown() override
    {
        scripted_input::uninstall();
        credits.deinit();
    }
    void steps(int count)
    {
        for (int i = 0; i < count; i++)
            credits.update();
    }
};

TEST_F(Credits, NameAlphaOverTheFade)
{
    const int table[][2] = {{-200, 0}, {-2, 0},    {0, 0},     {2, 2},     {254, 254},
                            {255, 255}, {256, 255}, {500, 255}, {768, 255}, {770, 254},
                            {1000, 24}, {1022, 2},  {1024, 0}};
    for (const auto& row : table)
        EXPECT_EQ(ccredits::name_alpha(row[0]), row[1]) << "fade " << row[0];
}

TEST_F(Credits, FadeClimbsTwoAStepStopsAt1024AndRestarts)
{
    EXPECT_EQ(credits.get_fade(), -200);
    steps(100);  // one second of the headline alone
    EXPECT_EQ(credits.get_fade(), 0);
    steps(512);
    EXPECT_EQ(credits.get_fade(), 1024);
    steps(300);
    EXPECT_EQ(credits.get_fade(), 1024) << "stays with the name invisible";

    credits.init();
    EXPECT_EQ(credits.get_fade(), -200) << "a second visit starts over";
}

TEST_F(Credits, EachStepPollsTheKeyboardForEscape)
{
    scripted_input::set_key(ALLEGRO_KEY_ESCAPE, true);
    credits.update();
    EXPECT_TRUE(al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE)) << "held on entry ends it after one step";
    scripted_input::set_key(ALLEGRO_KEY_ESCAPE, false);
    credits.update();
    EXPECT_FALSE(al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE));
}

// The brightest red level of a region of a memory bitmap the credits drew into.
int brightest(ALLEGRO_BITMAP* screen, int x0, int y0, int x1, int y1)
{
    int level = 0;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) {
            unsigned char r, g, b;
            al_unmap_rgb(al_get_pixel(screen, x, y), &r, &g, &b);
            level = std::max<int>(level, g);  // the backdrop has no green
        }
    return level;
}

TEST_F(Credits, DrawsTheHeadlineAlwaysAndTheNameByItsFade)
{
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    ASSERT_NE(screen, nullptr);
    al_set_target_bitmap(screen);

    // Steps from init, and the name's brightest level then (a premultiplied
    // fade over the dark backdrop).
    const int table[][3] = {{99, 0, 0},      // fade -2: not yet
                            {164, 120, 135},  // fade 128: half
                            {400, 250, 255},  // fade 600: full
                            {612, 0, 0}};     // fade 1024: gone again
    int done = 0;
    for (const auto& row : table) {
        steps(row[0] - done);
        done = row[0];
        credits.draw();
        SCOPED_TRACE(credits.get_fade());
        int name = brightest(screen, 852, 528, 852 + 12 * 18, 528 + 31);
        EXPECT_GE(name, row[1]);
        EXPECT_LE(name, row[2]);
        EXPECT_GE(brightest(screen, 816, 50, 816 + 16 * 18, 50 + 31), 250) << "headline";
    }
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

// Bitmap-font text, read back from a memory bitmap.
#include <cstdio>

#include <gtest/gtest.h>

#include "app/text.h"

namespace {

class TextTest : public testing::Test {
protected:
    void SetUp() override
    {
        canvas = al_create_bitmap(400, 60);
        ASSERT_NE(canvas, nullptr);
        al_set_target_bitmap(canvas);
        al_clear_to_color(al_map_rgb(0, 0, 0));
    }
    void TearDown() override
    {
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(canvas);
    }

    // Columns [x0, x1) hold a lit pixel in rows [0, 40).
    bool lit(int x0, int x1) const
    {
        for (int x = x0; x < x1; x++)
            for (int y = 0; y < 40; y++) {
                ALLEGRO_COLOR c = al_get_pixel(canvas, x, y);
                if (c.r + c.g + c.b > 0.3f)
                    return true;
            }
        return false;
    }

    ALLEGRO_BITMAP* canvas = nullptr;
};

const ALLEGRO_COLOR white = al_map_rgb_f(1, 1, 1);

TEST_F(TextTest, EmptyStringDrawsNothing)
{
    draw_text(white, "", 10, 5, false);
    draw_text(white, "", 10, 5, true);
    EXPECT_FALSE(lit(0, 400));
}

TEST_F(TextTest, GlyphsAdvanceByTheirWidthAndSpacesAreBlank)
{
    draw_text(white, "A A", 100, 5, false);
    EXPECT_TRUE(lit(100, 112));
    EXPECT_FALSE(lit(112, 124));
    EXPECT_TRUE(lit(124, 136));
    EXPECT_FALSE(lit(0, 100));
    EXPECT_FALSE(lit(136, 400));
}

TEST_F(TextTest, LargeFontAdvancesEighteen)
{
    draw_text(white, "MM", 10, 5, true);
    EXPECT_TRUE(lit(10, 28));
    EXPECT_TRUE(lit(28, 46));
    EXPECT_FALSE(lit(46, 400));
    EXPECT_EQ(text_width(4, true), 72);
    EXPECT_EQ(text_width(4, false), 48);
}

TEST_F(TextTest, BytesWithoutGlyphKeepTheirCell)
{
    // A line feed and a byte above 126 show nothing but still take a cell.
    draw_text(white, "\n\xff" "A", 0, 5, false);
    EXPECT_FALSE(lit(0, 24));
    EXPECT_TRUE(lit(24, 36));
}

TEST_F(TextTest, PaddedNumbersEndAtTheSamePlace)
{
    char text[32];
    std::snprintf(text, sizeof text, "%2i\n", 7);
    draw_text(white, text, 0, 5, false);
    EXPECT_FALSE(lit(0, 12));
    EXPECT_TRUE(lit(12, 24));
}

TEST_F(TextTest, TintGivesTheColourAndAlphaFades)
{
    draw_text(al_map_rgb(255, 0, 0), "W", 0, 5, true);
    draw_text(al_premul_rgba(255, 255, 255, 64), "W", 100, 5, true);
    float red = 0, green = 0, faded = 0;
    for (int x = 0; x < 18; x++)
        for (int y = 0; y < 40; y++) {
            ALLEGRO_COLOR c = al_get_pixel(canvas, x, y);
            red = std::max(red, c.r);
            green = std::max(green, c.g);
            faded = std::max(faded, al_get_pixel(canvas, 100 + x, y).g);
        }
    EXPECT_GT(red, 0.9f);
    EXPECT_EQ(green, 0.0f);
    EXPECT_GT(faded, 0.15f);
    EXPECT_LT(faded, 0.35f);
}

}  // namespace

// The match settings a fresh program starts with, and the asset table's shape.
#include <gtest/gtest.h>

#include "app/assets.h"
#include "frontend/coptions.h"

namespace {

TEST(Options, FreshProgramDefaults)
{
    EXPECT_EQ(options.get_bots(), 3);
    EXPECT_EQ(options.get_skill(), 1);
    EXPECT_EQ(options.get_level(), 0);
    EXPECT_FALSE(options.get_fps());
    EXPECT_EQ(options.color(0), 0);
    EXPECT_EQ(options.color(1), 0);
    EXPECT_EQ(options.color(2), 3);
    EXPECT_EQ(options.get_antialiasing(), -1);
    EXPECT_FALSE(options.get_quit());
}

TEST(Options, WithoutADisplayTheScaleIsOne)
{
    EXPECT_EQ(coptions::scale_x(), 1.0f);
    EXPECT_EQ(coptions::scale_y(), 1.0f);
}

TEST(Assets, ReloadReplacesEveryHandle)
{
    EXPECT_EQ(picture_paths().size(), 80u);
    EXPECT_EQ(sound_paths().size(), 16u);
    EXPECT_EQ(picture_paths().front(), "png/arms_1.png");
    EXPECT_EQ(sound_paths()[11], "wav/shell_2_sm.wav") << "casing sounds: 2 x kind + slow";

    unload_data();
    EXPECT_EQ(bfont[0], nullptr);
    EXPECT_EQ(bweapons, nullptr);
    ASSERT_TRUE(load_data());
    EXPECT_NE(bfont[1], nullptr);
    EXPECT_NE(bwaypoints[15], nullptr);
}

}  // namespace

// The notice that explains a map that cannot be played: how its text is
// split into lines, and which presses end it.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "frontend/cnotice.h"
#include "scripted_input.h"

namespace {

class Notice : public testing::Test {
protected:
    void SetUp() override { scripted_input::install(); }
    void TearDown() override { scripted_input::uninstall(); }

    // Runs steps until done, at most `limit`; the steps taken.
    int steps_until_done(int limit = 20)
    {
        for (int step = 1; step <= limit; step++) {
            notice.update();
            if (notice.get_done())
                return step;
        }
        return -1;
    }

    cnotice notice;
};

TEST_F(Notice, LongTextSplitsAtSpaces)
{
    std::string text;
    for (int i = 0; i < 30; i++)
        text += "word" + std::to_string(i) + " ";
    text += std::string(100, 'x') + "\nlast";
    notice.init(text.c_str());

    ASSERT_GE(notice.get_line_count(), 4);
    std::string joined;
    for (int i = 0; i < notice.get_line_count(); i++) {
        const char* line = notice.get_line(i);
        EXPECT_LE(std::strlen(line), static_cast<size_t>(cnotice::line_length));
        joined += std::string(line) + "|";
    }
    for (int i = 0; i < 30; i++) {
        std::string word = "word" + std::to_string(i);
        bool whole = joined.find(word + " ") != std::string::npos
                     || joined.find(word + "|") != std::string::npos;
        EXPECT_TRUE(whole) << word << " is cut: " << joined;
    }
    EXPECT_NE(joined.find("|" + std::string(80, 'x') + "|" + std::string(20, 'x') + "|last|"),
              std::string::npos)
        << "a word longer than a line is cut; a line break starts a line: " << joined;

    notice.init(std::string(100, '\n').c_str());
    EXPECT_EQ(notice.get_line_count(), cnotice::max_lines) << "the rest is dropped";
}

TEST_F(Notice, KeyHeldSinceInitDoesNotEndIt)
{
    scripted_input::set_key(ALLEGRO_KEY_ENTER, true);
    notice.init("text");
    EXPECT_EQ(steps_until_done(), -1);
    scripted_input::set_key(ALLEGRO_KEY_SPACE, true);
    EXPECT_EQ(steps_until_done(), 1) << "another key is a new press";

    notice.init("text");
    scripted_input::set_key(ALLEGRO_KEY_SPACE, false);
    scripted_input::set_key(ALLEGRO_KEY_ENTER, false);
    EXPECT_EQ(steps_until_done(), -1);
    scripted_input::set_key(ALLEGRO_KEY_ENTER, true);
    EXPECT_EQ(steps_until_done(), 1);
}

TEST_F(Notice, ClickHeldSinceInitDoesNotEndIt)
{
    scripted_input::set_button(1, true);
    notice.init("text");
    EXPECT_EQ(steps_until_done(), -1);
    scripted_input::set_button(1, false);
    EXPECT_EQ(steps_until_done(5), -1);
    scripted_input::set_button(2, true);
    EXPECT_EQ(steps_until_done(5), -1) << "only the left button";
    scripted_input::set_button(1, true);
    EXPECT_EQ(steps_until_done(), 1);
}

TEST_F(Notice, DrawsTheTextOnTheBackdrop)
{
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    ASSERT_NE(screen, nullptr);
    al_set_target_bitmap(screen);
    notice.init("NO MAPS IN ZKM/");
    notice.draw();
    // Something bright in the text's band, nothing bright far left of it.
    bool bright = false;
    for (int x = 800; x < 1120 && !bright; x++)
        for (int y = 480; y < 560 && !bright; y++)
            bright = al_get_pixel(screen, x, y).g > 0.5f;
    EXPECT_TRUE(bright);
    EXPECT_LT(al_get_pixel(screen, 100, 540).g, 0.1f);
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

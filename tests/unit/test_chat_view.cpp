// The chat lines a screen shows: a replay's lines at their ticks, each for
// ten seconds of its time and the last six at most, from wherever it seeks;
// and a dark shirt's name on a light backing.
#include <gtest/gtest.h>

#include "match/chat_view.h"
#include "replay/replay_chat.h"

namespace {

replay_data talking_replay()
{
    replay_data replay;
    replay.ticks = 5000;
    replay.humans.resize(2);
    replay.setup.humans.resize(2);
    replay.setup.humans[0].name = "ANN";
    replay.setup.humans[0].colors[1] = 0;
    replay.setup.humans[1].name = "BOB";
    replay.setup.humans[1].colors[1] = 3;
    replay.chat = {{100, 0, "a"}, {100, 1, "b"}, {900, 0, "c"}, {2000, 1, "d"}, {2001, 1, "e"},
                   {2002, 0, "f"}, {2003, 1, "g"}, {2004, 0, "h"}, {2005, 1, "i"}, {5000, 0, "j"}};
    return replay;
}

std::string texts(const std::vector<chat_entry>& lines)
{
    std::string out;
    for (const chat_entry& line : lines)
        out += line.text;
    return out;
}

TEST(ChatView, AReplaysLinesShowForTenSecondsFromTheirTicksWhereverItSeeks)
{
    const std::vector<chat_entry> lines = replay_chat(talking_replay());
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1], (chat_entry{100, "BOB", 3, "b", false})) << "named and coloured as its speaker";
    const struct {
        std::uint32_t tick;
        const char* shown;
    } rows[] = {
        {0, ""},         {99, ""},       {100, "ab"},    {899, "ab"},     {900, "abc"},
        {1099, "abc"},   {1100, "c"},    {1899, "c"},    {1900, ""},      {2000, "d"},
        {2004, "defgh"}, {2005, "defghi"}, {2900, "defghi"}, {3000, "efghi"}, {3005, ""},
        {4999, ""},      {5000, "j"},    {4294967295u, ""},
    };
    // Out of order, as seeks go back and forth.
    for (int pass = 0; pass < 2; pass++)
        for (std::size_t i = 0; i < std::size(rows); i++) {
            const auto& row = rows[pass == 0 ? i : std::size(rows) - 1 - i];
            EXPECT_EQ(texts(chat_shown(lines, row.tick)), row.shown) << "tick " << row.tick;
        }
    // Seven lines in ten seconds: only the last six.
    std::vector<chat_entry> seven = lines;
    seven.insert(seven.begin() + 3, chat_entry{1999, "ANN", 0, "x", false});
    EXPECT_EQ(texts(chat_shown(seven, 2005)), "defghi");
    EXPECT_EQ(texts(chat_shown(seven, 2004)), "xdefgh");
}

TEST(ChatView, ADarkShirtsNameStandsOnALightBackingAndANoteHasNoName)
{
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    ASSERT_NE(screen, nullptr);
    al_set_target_bitmap(screen);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    const int bottom = 1000;
    draw_chat_lines({{0, "RED", 0, "x", false}, {0, "BLUE", 3, "y", false}, {0, "", 0, "NOTE", true}}, bottom);
    // One pixel above each line's text, at its left: the backing of a dark
    // name is light; the others' is the dark strip over the black.
    const int top = bottom - 21 - 2 * chat_line_height;
    const auto brightness = [&](int line) {
        const ALLEGRO_COLOR c = al_get_pixel(screen, chat_left, top + line * chat_line_height - 1);
        return c.r + c.g + c.b;
    };
    EXPECT_LT(brightness(0), 0.3f);
    EXPECT_GT(brightness(1), 1.5f);
    EXPECT_LT(brightness(2), 0.3f);
    // The note's own colour, yellow, somewhere in its first letter.
    bool yellow = false;
    for (int x = chat_left; x < chat_left + 12; x++)
        for (int y = top + 2 * chat_line_height; y < top + 2 * chat_line_height + 21; y++) {
            const ALLEGRO_COLOR c = al_get_pixel(screen, x, y);
            yellow = yellow || (c.r > 0.9f && c.g > 0.8f && c.b < 0.4f);
        }
    EXPECT_TRUE(yellow);
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

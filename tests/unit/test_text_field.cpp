// The text field: scripted keys in, the text and the cursor out; and typed
// characters that wait in the keyboard's queue for the field between frames.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/input.h"
#include "frontend/text_field.h"
#include "match/player_name.h"

namespace {

typed_key ch(char c)
{
    return {c, ALLEGRO_KEY_A, 0};
}

typed_key key(int keycode, unsigned modifiers = 0)
{
    return {0, keycode, modifiers};
}

std::string pasted()
{
    return "J.o\xc3\xa9 Ba\tker_and_more";
}

struct typing {
    const char* what;
    const char* before;
    std::vector<typed_key> keys;
    const char* after;
    std::size_t cursor;
    text_field::outcome outcome;
};

TEST(TextField, ScriptedKeysMakeTheTextAndMoveTheCursor)
{
    using out = text_field::outcome;
    const typing table[] = {
        {"typing", "", {ch('A'), ch('n'), ch('n')}, "Ann", 3, out::editing},
        {"refused characters", "", {ch('a'), ch('.'), ch('/'), ch('b'), {0xe9, ALLEGRO_KEY_E, 0}}, "ab", 2,
         out::editing},
        {"the most length", "FIFTEEN_LETTERS", {ch('x')}, "FIFTEEN_LETTERS", 15, out::editing},
        {"backspace", "Ann", {key(ALLEGRO_KEY_BACKSPACE)}, "An", 2, out::editing},
        {"backspace at the start", "Ann", {key(ALLEGRO_KEY_HOME), key(ALLEGRO_KEY_BACKSPACE)}, "Ann", 0,
         out::editing},
        {"delete", "Ann", {key(ALLEGRO_KEY_HOME), key(ALLEGRO_KEY_DELETE)}, "nn", 0, out::editing},
        {"insert in the middle", "Ann", {key(ALLEGRO_KEY_LEFT), key(ALLEGRO_KEY_LEFT), ch('-')}, "A-nn", 2,
         out::editing},
        {"left and right stop at the ends", "ab",
         {key(ALLEGRO_KEY_RIGHT), key(ALLEGRO_KEY_LEFT), key(ALLEGRO_KEY_LEFT), key(ALLEGRO_KEY_LEFT)}, "ab", 0,
         out::editing},
        {"home and end", "abc", {key(ALLEGRO_KEY_HOME), ch('x'), key(ALLEGRO_KEY_END), ch('y')}, "xabcy", 5,
         out::editing},
        {"paste, filtered and cut", "", {key(ALLEGRO_KEY_V, ALLEGRO_KEYMOD_CTRL)}, "Jo Baker_and_mo", 15,
         out::editing},
        {"paste at the cursor", "ab", {key(ALLEGRO_KEY_LEFT), key(ALLEGRO_KEY_V, ALLEGRO_KEYMOD_CTRL)},
         "aJo Baker_and_b", 14, out::editing},
        {"other ctrl keys type nothing", "a", {{3, ALLEGRO_KEY_C, ALLEGRO_KEYMOD_CTRL}}, "a", 1, out::editing},
        {"enter confirms", "Ann", {key(ALLEGRO_KEY_ENTER)}, "Ann", 3, out::confirmed},
        {"keypad enter confirms", "Ann", {key(ALLEGRO_KEY_PAD_ENTER)}, "Ann", 3, out::confirmed},
        {"escape leaves", "Ann", {ch('x'), key(ALLEGRO_KEY_ESCAPE)}, "Annx", 4, out::left},
    };
    for (const typing& row : table) {
        text_field field(is_player_name_char, max_player_name);
        field.set_clipboard(pasted);
        field.set_text(row.before);
        text_field::outcome last = out::editing;
        for (const typed_key& typed : row.keys)
            last = field.type(typed);
        EXPECT_EQ(field.get_text(), row.after) << row.what;
        EXPECT_EQ(field.get_cursor(), row.cursor) << row.what;
        EXPECT_EQ(last, row.outcome) << row.what;
    }
}

ALLEGRO_EVENT char_event(int unichar, int keycode)
{
    ALLEGRO_EVENT event = {};
    event.type = ALLEGRO_EVENT_KEY_CHAR;
    event.keyboard.unichar = unichar;
    event.keyboard.keycode = keycode;
    return event;
}

// Characters typed during one long frame all reach the field at its update.
TEST(TextField, KeysTypedBetweenUpdatesWaitForTheField)
{
    forget_presses();
    text_field field(is_player_name_char, max_player_name);
    for (char c : std::string("Bo b"))
        remember_input(char_event(c, ALLEGRO_KEY_B));
    remember_input(char_event(8, ALLEGRO_KEY_BACKSPACE));
    EXPECT_EQ(field.update(), text_field::outcome::editing);
    EXPECT_EQ(field.get_text(), "Bo ");
    remember_input(char_event('x', ALLEGRO_KEY_X));
    remember_input(char_event('\r', ALLEGRO_KEY_ENTER));
    remember_input(char_event('y', ALLEGRO_KEY_Y));
    EXPECT_EQ(field.update(), text_field::outcome::confirmed);
    EXPECT_EQ(field.get_text(), "Bo x");
    EXPECT_TRUE(take_typed_keys().empty());
    for (std::size_t i = 0; i < most_typed_keys + 10; i++)
        remember_input(char_event('z', ALLEGRO_KEY_Z));
    EXPECT_EQ(take_typed_keys().size(), most_typed_keys);
}

}  // namespace

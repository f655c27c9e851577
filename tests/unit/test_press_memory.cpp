// Presses shorter than a frame: a key or button that goes down and up again
// between two polls still reads as down at the next poll, once, on every
// screen; holding reads as before.
#include <functional>

#include <gtest/gtest.h>

#include "app/input.h"
#include "editor_test.h"
#include "test_fighter.h"
#include "app/shell.h"
#include "frontend/cmenu.h"
#include "frontend/cnotice.h"
#include "frontend/coptions.h"
#include "scripted_input.h"

namespace {

ALLEGRO_EVENT key_down(int keycode)
{
    ALLEGRO_EVENT press = {};
    press.type = ALLEGRO_EVENT_KEY_DOWN;
    press.keyboard.keycode = keycode;
    return press;
}

ALLEGRO_EVENT button_down(int button, int x, int y)
{
    ALLEGRO_EVENT press = {};
    press.type = ALLEGRO_EVENT_MOUSE_BUTTON_DOWN;
    press.mouse.button = static_cast<unsigned int>(button);
    press.mouse.x = x;
    press.mouse.y = y;
    return press;
}

class PressMemory : public testing::Test {
protected:
    void SetUp() override { scripted_input::install(); }
    void TearDown() override
    {
        forget_presses();
        scripted_input::uninstall();
    }
};

TEST_F(PressMemory, APressBetweenPollsReadsDownOnceWhereItWasMade)
{
    scripted_input::set_pointer(900, 800);
    remember_input(key_down(ALLEGRO_KEY_W));
    remember_input(button_down(1, 300, 200));
    poll_keyboard();
    poll_mouse();
    EXPECT_TRUE(al_key_down(&keyboard, ALLEGRO_KEY_W));
    EXPECT_FALSE(al_key_down(&keyboard, ALLEGRO_KEY_A));
    EXPECT_EQ(mouse.buttons, 1);
    EXPECT_EQ(mouse.x, 300);
    EXPECT_EQ(mouse.y, 200);

    poll_keyboard();
    poll_mouse();
    EXPECT_FALSE(al_key_down(&keyboard, ALLEGRO_KEY_W)) << "released by the next poll";
    EXPECT_EQ(mouse.buttons, 0);
    EXPECT_EQ(mouse.x, 900);

    // Held: the device's own state, pointer included; the press adds nothing.
    scripted_input::set_key(ALLEGRO_KEY_D, true);
    scripted_input::set_button(2, true);
    remember_input(key_down(ALLEGRO_KEY_D));
    remember_input(button_down(2, 10, 10));
    for (int poll = 0; poll < 3; poll++) {
        poll_keyboard();
        poll_mouse();
        EXPECT_TRUE(al_key_down(&keyboard, ALLEGRO_KEY_D));
        EXPECT_EQ(mouse.buttons, 2);
        EXPECT_EQ(mouse.x, 900);
    }

    // Forgotten presses, releases, motion and codes out of range count nothing.
    scripted_input::set_key(ALLEGRO_KEY_D, false);
    scripted_input::set_button(2, false);
    remember_input(key_down(ALLEGRO_KEY_E));
    forget_presses();
    ALLEGRO_EVENT other = key_down(ALLEGRO_KEY_R);
    other.type = ALLEGRO_EVENT_KEY_UP;
    remember_input(other);
    other = button_down(1, 5, 5);
    other.type = ALLEGRO_EVENT_MOUSE_AXES;
    remember_input(other);
    remember_input(key_down(ALLEGRO_KEY_MAX));
    remember_input(key_down(-3));
    remember_input(button_down(40, 5, 5));
    poll_keyboard();
    poll_mouse();
    const ALLEGRO_KEYBOARD_STATE none = {};
    for (size_t word = 0; word < std::size(none.__key_down__internal__); word++)
        EXPECT_EQ(keyboard.__key_down__internal__[word], 0u) << "word " << word;
    EXPECT_EQ(mouse.buttons, 0);
}

// Presses made between polls, and what the polls after them read.
TEST_F(PressMemory, EachPressBetweenPollsReadsDownOnceWithAnUpBetween)
{
    // Two clicks between two polls: down, up, down, up.
    remember_input(button_down(1, 10, 20));
    remember_input(button_down(1, 30, 40));
    const int expected[][3] = {{1, 10, 20}, {0, 900, 800}, {1, 30, 40}, {0, 900, 800}};
    scripted_input::set_pointer(900, 800);
    for (const auto& poll : expected) {
        poll_mouse();
        EXPECT_EQ(mouse.buttons, poll[0]);
        EXPECT_EQ(mouse.x, poll[1]);
        EXPECT_EQ(mouse.y, poll[2]);
    }

    // A quick tap, then the key held: the latch sees it let go in between.
    remember_input(key_down(ALLEGRO_KEY_E));
    poll_keyboard();
    EXPECT_TRUE(al_key_down(&keyboard, ALLEGRO_KEY_E));
    scripted_input::set_key(ALLEGRO_KEY_E, true);
    remember_input(key_down(ALLEGRO_KEY_E));
    poll_keyboard();
    EXPECT_FALSE(al_key_down(&keyboard, ALLEGRO_KEY_E));
    poll_keyboard();
    EXPECT_TRUE(al_key_down(&keyboard, ALLEGRO_KEY_E));
    scripted_input::set_key(ALLEGRO_KEY_E, false);

    // Held at one poll, let go and pressed again before the next: the
    // release reads first.
    scripted_input::set_button(1, true);
    poll_mouse();
    remember_input(button_down(1, 900, 800));
    for (int expected_down : {0, 1, 1}) {
        poll_mouse();
        EXPECT_EQ(mouse.buttons, expected_down);
    }
    scripted_input::set_button(1, false);

    // Ctrl held at one poll, then Z tapped and both let go before the next:
    // the next reads the whole chord. A letter let go reads up at once.
    scripted_input::set_key(ALLEGRO_KEY_LCTRL, true);
    scripted_input::set_key(ALLEGRO_KEY_A, true);
    poll_keyboard();
    scripted_input::set_key(ALLEGRO_KEY_LCTRL, false);
    scripted_input::set_key(ALLEGRO_KEY_A, false);
    ALLEGRO_EVENT release = key_down(ALLEGRO_KEY_LCTRL);
    release.type = ALLEGRO_EVENT_KEY_UP;
    remember_input(key_down(ALLEGRO_KEY_Z));
    remember_input(release);
    release.keyboard.keycode = ALLEGRO_KEY_A;
    remember_input(release);
    poll_keyboard();
    EXPECT_TRUE(al_key_down(&keyboard, ALLEGRO_KEY_LCTRL) && al_key_down(&keyboard, ALLEGRO_KEY_Z));
    EXPECT_FALSE(al_key_down(&keyboard, ALLEGRO_KEY_A));
    poll_keyboard();
    EXPECT_FALSE(al_key_down(&keyboard, ALLEGRO_KEY_LCTRL) || al_key_down(&keyboard, ALLEGRO_KEY_Z));
}

// Each screen after one update with a press made and lifted since the last.
struct screen_case {
    const char* name;
    std::function<void()> start;
    ALLEGRO_EVENT press;
    std::function<void()> update;
    std::function<bool()> acted;
};

TEST_F(PressMemory, EveryScreenActsOnAPressShorterThanAFrame)
{
    const coptions saved = options;
    cnotice notice;
    const screen_case cases[] = {
        {"menu: the options item", [] { menu.init(); }, button_down(1, 960, 465), [] { menu.update(); },
         [] { return menu.get_choice() == mode_options; }},
        {"options: one more bot",
         [] {
             menu.set_choice(mode_options);
             options.init();
             options.set_bots(3);
         },
         button_down(1, 1503, 318), [] { options.update(); }, [] { return options.get_bots() == 4; }},
        {"notice: any key", [&notice] { notice.init("A notice."); }, key_down(ALLEGRO_KEY_SPACE),
         [&notice] { notice.update(); }, [&notice] { return notice.get_done(); }},
    };
    for (const screen_case& c : cases) {
        c.start();
        c.update();  // the latch of a press held since the start lets go
        ASSERT_FALSE(c.acted()) << c.name;
        remember_input(c.press);
        c.update();
        EXPECT_TRUE(c.acted()) << c.name;
    }
    options = saved;
    menu.set_choice(mode_start);
}

// The editor paints on a click that never shows in a poll; the match jumps
// on a tap of W that never does.
class EditorPresses : public EditorTest {};

TEST_F(EditorPresses, AClickShorterThanAFramePaints)
{
    tap(ALLEGRO_KEY_2);
    scripted_input::set_pointer(900, 900);
    remember_input(button_down(1, 60, 20));
    editor.update();
    EXPECT_EQ(editor.get_cell(1, 0), 10000);
    forget_presses();
}

class MatchPresses : public FighterTest {};

TEST_F(MatchPresses, ATapShorterThanAFrameJumps)
{
    read_arena({"....", ".S..", "....", "....", "####"});
    cplayer& human = enter(0);
    tick(human, 20);  // standing on the floor
    ASSERT_EQ(human.get_vy(), 0);
    remember_input(key_down(ALLEGRO_KEY_W));
    tick(human);
    EXPECT_EQ(human.get_vy(), -10.5f);
}

}  // namespace

// A press queued before a poll's read of the device counts there only if
// the read found it held; made and let go before the read (the poll held
// up between the queue and the device), or made after it, it counts at the
// next poll.
TEST_F(PressMemory, APressTheLastReadDidNotSeeHeldCountsAtTheNextPoll)
{
    struct row {
        bool held_at_read;
        bool made_before_read;
        bool seen;
    };
    const row rows[] = {
        {true, true, true},
        {false, true, false},  // a tap made and let go before the read
        {true, false, false},
        {false, false, false},
    };
    for (const row& r : rows) {
        scripted_input::set_key(ALLEGRO_KEY_R, r.held_at_read);
        scripted_input::set_button(2, r.held_at_read);
        poll_keyboard();
        poll_mouse();
        ALLEGRO_EVENT key = key_down(ALLEGRO_KEY_R);
        ALLEGRO_EVENT button = button_down(2, 0, 0);
        key.any.timestamp = button.any.timestamp = r.made_before_read ? 0 : al_get_time() + 60;
        EXPECT_EQ(seen_by_last_read(key), r.seen) << r.held_at_read << r.made_before_read;
        EXPECT_EQ(seen_by_last_read(button), r.seen) << r.held_at_read << r.made_before_read;
    }
}

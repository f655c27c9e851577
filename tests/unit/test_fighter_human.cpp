// The human's control through the real update: the following view, mouse
// aim with the muzzle correction, walking keys, the trigger and grenades.
#include <cmath>
#include <string>
#include <vector>

#include "map/cmap.h"
#include "scripted_input.h"
#include "test_fighter.h"

namespace {

using scripted_input::set_button;
using scripted_input::set_key;
using scripted_input::set_pointer;

const int left_button = 1;
const int right_button = 2;

// `columns` x `rows` cells with a floor on the last row and one spawn point
// standing on it at x = 200.
std::vector<std::string> open_field(int columns, int rows)
{
    const std::string empty(static_cast<size_t>(columns), '.');
    std::vector<std::string> field(static_cast<size_t>(rows), empty);
    field[static_cast<size_t>(rows) - 3][5] = 'S';
    field.back() = std::string(empty.size(), '#');
    return field;
}

bool fired(const cplayer& fighter)
{
    return fighter.get_ammo() < 1;
}

class FighterHuman : public FighterTest {};

TEST_F(FighterHuman, ViewCentresTheHumanAndStopsAtTheMapsEdges)
{
    read_arena(open_field(100, 50));  // 4000 x 2000
    cplayer& human = enter(0);
    const float xs_cases[][2] = {{500, 0}, {940, 0}, {2000, 1060}, {3020, 2080}, {3500, 2080}};
    for (const auto& c : xs_cases) {
        human.place(c[0], 300);
        human.player_screen();
        EXPECT_EQ(map.get_xs(), c[1]) << "x " << c[0];
        EXPECT_EQ(map.get_ys(), 0);
    }
    const float ys_cases[][2] = {{500, 0}, {1000.5f, 500}, {1900, 920}};
    for (const auto& c : ys_cases) {
        human.place(2000, c[0]);
        human.player_screen();
        EXPECT_EQ(map.get_ys(), c[1]) << "y " << c[0];
    }

    // Every tick of a living human moves the view.
    human.place(2000.7f, 1880);
    tick(human);
    EXPECT_EQ(map.get_xs(), 1060);
    EXPECT_EQ(map.get_ys(), 920);
}

TEST_F(FighterHuman, AMapSmallerThanTheScreenKeepsItsOwnCentring)
{
    read_arena(open_field(20, 15));  // 800 x 600
    const int xs = map.get_xs();
    const int ys = map.get_ys();
    ASSERT_EQ(xs, 400 - 960);
    ASSERT_EQ(ys, 300 - 540);
    cplayer& human = enter(0);
    for (float x : {0.0f, 400.0f, 760.0f}) {
        human.place(x, 200);
        human.player_screen();
        EXPECT_EQ(map.get_xs(), xs);
        EXPECT_EQ(map.get_ys(), ys);
    }
}

TEST_F(FighterHuman, AimCorrectsForTheMuzzleBesideTheAimLine)
{
    read_arena(open_field(100, 50));
    cplayer& human = enter(0);
    human.give_weapon(1);
    human.aim(100, 0, 0);
    EXPECT_FALSE(human.get_dir());
    EXPECT_NEAR(human.get_angle(), 0.08976, 1e-5);

    // Mirrored facing left; a long gun sits on the other side, further out.
    human.aim(-100, 0, 0);
    EXPECT_TRUE(human.get_dir());
    EXPECT_NEAR(human.get_angle(), M_PI - 0.08976, 1e-5);
    human.give_weapon(2);
    human.aim(100, 0, 0);
    const double long_gun = std::atan2(-14 * std::sin(1.57), 100 - 14 * std::cos(1.57));
    EXPECT_NEAR(human.get_angle(), long_gun, 1e-6);
    EXPECT_LT(human.get_angle(), -0.13);

    // Straight above faces right.
    human.aim(0, -100, 0);
    EXPECT_FALSE(human.get_dir());

    // The mouse point counts from the view: 100 units right of the aiming origin.
    human.give_weapon(1);
    human.place(2000, 1880);
    set_pointer(2000 + 19 + 100 - 1060, 1880 + 22 - 920);
    tick(human);
    ASSERT_EQ(map.get_xs(), 1060);
    ASSERT_EQ(map.get_ys(), 920);
    EXPECT_NEAR(human.get_angle(), 0.08976, 1e-5);
}

TEST_F(FighterHuman, DWinsOverAAndWJumpsOnlyFromTheFloor)
{
    read_arena(open_field(100, 50));
    cplayer& human = enter(0);
    const float x = human.get_x();
    set_key(ALLEGRO_KEY_A, true);
    set_key(ALLEGRO_KEY_D, true);
    tick(human);
    EXPECT_EQ(human.get_x(), x + 2.5f);
    set_key(ALLEGRO_KEY_D, false);
    tick(human, 2);
    EXPECT_EQ(human.get_x(), x - 2.5f);

    set_key(ALLEGRO_KEY_W, true);
    tick(human);
    EXPECT_EQ(human.get_vy(), -10.5f);
    tick(human);
    EXPECT_EQ(human.get_vy(), -10.25f) << "no second jump in the air";
}

TEST_F(FighterHuman, BothButtonsChargeWithoutFiringAndReleaseThrowsAndFires)
{
    read_arena(open_field(100, 50));
    cplayer& human = enter(0);
    set_button(left_button, true);
    set_button(right_button, true);
    tick(human, 5);
    EXPECT_FLOAT_EQ(human.get_power(), 1.0f);
    EXPECT_FALSE(fired(human));
    EXPECT_EQ(human.get_grenades(), 3);

    set_button(right_button, false);
    tick(human);
    EXPECT_EQ(human.get_grenades(), 2);
    EXPECT_EQ(human.get_power(), 0);
    EXPECT_TRUE(fired(human));

    // A one-tick click throws at the smallest power.
    set_button(left_button, false);
    set_button(right_button, true);
    tick(human);
    EXPECT_EQ(human.get_power(), 0.2f);
    set_button(right_button, false);
    tick(human);
    EXPECT_EQ(human.get_grenades(), 1);
}

TEST_F(FighterHuman, ChargeStopsAtAboutThirteenAndNeedsAGrenadeLeft)
{
    read_arena(open_field(100, 50));
    cplayer& human = enter(0);
    set_button(right_button, true);
    tick(human, 65);
    EXPECT_LT(human.get_power(), 13);
    tick(human);
    EXPECT_NEAR(human.get_power(), 13.2f, 1e-4);
    const float full = human.get_power();
    tick(human, 20);
    EXPECT_EQ(human.get_power(), full);

    // Throw the rest; then the right button only holds the trigger back.
    for (int throw_ = 0; throw_ < 3; throw_++) {
        set_button(right_button, false);
        tick(human);
        set_button(right_button, true);
        tick(human);
    }
    EXPECT_EQ(human.get_grenades(), 0);
    EXPECT_EQ(human.get_power(), 0);
    set_button(left_button, true);
    tick(human, 10);
    EXPECT_EQ(human.get_power(), 0);
    EXPECT_FALSE(fired(human));
    set_button(right_button, false);
    tick(human);
    EXPECT_EQ(human.get_grenades(), 0);
    EXPECT_TRUE(fired(human));
}

}  // namespace

// The editor's route overlay: Tab shows and hides it, it follows the cells
// as they are painted and undone, and it shades what no fighter can reach.
#include <vector>

#include "editor_test.h"

namespace {

class EditorRoutes : public EditorTest {
protected:
    static void drag_floor(int row)
    {
        tap(ALLEGRO_KEY_2);
        scripted_input::set_button(1, true);
        for (int column = 0; column < 10; column++) {
            scripted_input::set_pointer(column * 40 + 20, row * 40 + 20);
            editor.update();
        }
        scripted_input::set_button(1, false);
        editor.update();
    }
};

// The test map has no floor: whoever enters at its spawn point, top left,
// falls straight out of the map, so only the first column is ever reached.
TEST_F(EditorRoutes, FollowsPaintingAndUndoing)
{
    EXPECT_EQ(editor.get_routes(), nullptr);
    tap(ALLEGRO_KEY_TAB);
    ASSERT_NE(editor.get_routes(), nullptr);
    EXPECT_TRUE(editor.get_routes()->reached(0, 5));
    EXPECT_FALSE(editor.get_routes()->reached(5, 8));

    drag_floor(9);
    EXPECT_TRUE(editor.get_routes()->reached(5, 8)) << "a floor to walk on";

    scripted_input::set_key(ALLEGRO_KEY_LCTRL, true);
    tap(ALLEGRO_KEY_Z);
    scripted_input::set_key(ALLEGRO_KEY_LCTRL, false);
    EXPECT_FALSE(editor.get_routes()->reached(5, 8)) << "the floor undone";

    tap(ALLEGRO_KEY_TAB);
    EXPECT_EQ(editor.get_routes(), nullptr);
}

TEST_F(EditorRoutes, ShadesCellsOutOfReachAndPointsTheWaypointsWays)
{
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    ASSERT_NE(screen, nullptr);
    al_set_target_bitmap(screen);
    // Marker 4 (walk left) in the middle of the empty cell (5, 5).
    tap(ALLEGRO_KEY_3);
    tap(ALLEGRO_KEY_X, 3);
    press(1, 220, 220);
    editor.draw();
    const std::vector<int> open_sky = rgb(screen, 275, 235);
    const std::vector<int> first_column = rgb(screen, 20, 235);

    tap(ALLEGRO_KEY_TAB);
    editor.draw();
    EXPECT_EQ(rgb(screen, 20, 235), first_column) << "reached: not shaded";
    const std::vector<int> shaded = rgb(screen, 275, 235);
    EXPECT_LT(shaded[2], open_sky[2]) << "out of reach: darker";
    EXPECT_GT(shaded[0], open_sky[0]) << "and purple";
    auto yellow = [](const std::vector<int>& c) { return c[0] > 200 && c[1] > 180 && c[2] < 120; };
    EXPECT_TRUE(yellow(rgb(screen, 205, 220))) << "an arrow left of the cell's centre";
    EXPECT_FALSE(yellow(rgb(screen, 235, 220))) << "none to the right";
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

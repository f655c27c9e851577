// Blood through its real init, update and draw: the pool of drops, their
// flight, stains and fade, and the vertex array drawn in one call.
#include <cstdlib>
#include <set>

#include <allegro5/allegro_primitives.h>

#include "app/assets.h"
#include "effect_test.h"
#include "effects/cblood.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "test_fighter.h"

namespace {

// A wall from x = 120 to 160 above y = 80, whose underside is a ceiling; a
// floor from y = 120 with a hole from x = 40 to 80; open left, right and top.
const std::vector<std::string> room = {
    "S..#.",
    "...#.",
    ".....",
    "#.###",
};

class Blood : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        read_arena(room);
        map.set_screen(0, 0);
        blood.reset();
    }
    void TearDown() override
    {
        blood.reset();
        FighterTest::TearDown();
    }
};

// Starts drop 0 of an empty pool with chosen speeds.
void one_drop(float x, float y, float vx, float vy, bool slow = false)
{
    game = cgame();
    if (slow)
        game.slowmotion();
    blood.reset();
    ASSERT_TRUE(blood.init(x, y));
    blood.set_motion(0, vx, vy);
}

TEST_F(Blood, DropsFallStopAtWallsFloorsAndCeilingsAndDieOffTheMap)
{
    const struct {
        const char* what;
        float x, y, vx, vy;
        int ticks;
        bool live;
        float new_x, new_y, new_vx, new_vy;
    } cases[] = {
        {"falls from rest", 20, 20, 0, 0, 1, true, 20, 20.25f, 0, 0.25f},
        {"a stain stays", 20, 117.5f, 0, 0, 5, true, 20, 117.5f, 0, 0},
        {"skids to a stop", 20, 117.5f, 0.5f, 0, 1, true, 20.5f, 117.5f, 0, 0},
        {"lands", 20, 110, 0.5f, 7.75f, 1, true, 20.5f, 117, 0, 0},
        {"hits a wall", 117, 40, 0.75f, 0, 1, true, 117, 40.25f, 0, 0.25f},
        {"runs down it", 117, 40, 0.75f, 0, 2, true, 117, 40.75f, 0, 0.5f},
        {"hits a ceiling", 130, 81, 0, -2, 1, true, 130, 80, 0, 0},
        {"falls again", 130, 81, 0, -2, 2, true, 130, 80.25f, 0, 0.25f},
        {"clings to the left edge", -1, 20, -0.75f, 0, 1, true, -1.75f, 20.25f, -0.75f, 0.25f},
        {"leaves left", -1.5f, 20, -0.75f, 0, 1, false, 0, 0, 0, 0},
        {"leaves right", 199.5f, 20, 0.75f, 0, 1, false, 0, 0, 0, 0},
        {"leaves at the top", 20, -1.5f, 0, -1, 1, false, 0, 0, 0, 0},
        {"falls through the hole", 50, 159.5f, 0, 1, 1, false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        one_drop(c.x, c.y, c.vx, c.vy);
        for (int tick = 0; tick < c.ticks; tick++)
            blood.update();
        EXPECT_EQ(blood.get_life(0) > 0, c.live) << c.what;
        EXPECT_EQ(blood.get_quad_count(), c.live ? 1 : 0) << c.what;
        if (!c.live)
            continue;
        EXPECT_TRUE(blood.get_x(0) == c.new_x && blood.get_y(0) == c.new_y && blood.get_vx(0) == c.new_vx
                    && blood.get_vy(0) == c.new_vy)
            << c.what << ": " << blood.get_x(0) << ", " << blood.get_y(0) << " at " << blood.get_vx(0) << ", "
            << blood.get_vy(0);
    }
}

TEST_F(Blood, AStainLives250TicksOr2500SlowOpaqueThenFadingOverItsLast50)
{
    for (bool slow : {false, true}) {
        one_drop(20, 117.5f, 0, 0, slow);
        const int factor = slow ? 10 : 1;
        blood.update();
        const float shade = blood.get_vertices()[0].color.r;
        int ticks = 1;
        for (; blood.get_life(0) > 0 && ticks < 3000; ticks++) {
            const ALLEGRO_COLOR colour = blood.get_vertices()[0].color;
            // Premultiplied: the red fades with the alpha, from life 50 down.
            if (ticks == 199 * factor) {
                EXPECT_TRUE(colour.r == shade && colour.a == 1) << blood.get_life(0);
            }
            if (ticks == 225 * factor) {
                EXPECT_NEAR(colour.a, 0.5f, 1e-3f);
                EXPECT_NEAR(colour.r, shade * colour.a, 1e-6f);
            }
            blood.update();
        }
        EXPECT_EQ(ticks, 250 * factor);
        EXPECT_EQ(blood.get_quad_count(), 0);
        EXPECT_EQ(blood.get_x(0), 20);
        EXPECT_EQ(blood.get_y(0), 117.5f);
    }
}

TEST_F(Blood, InitTakesTheLowestFreeSlotAndAFullPoolRefusesWithoutDrawingAnyNumber)
{
    ASSERT_TRUE(blood.init(20, 20));
    ASSERT_TRUE(blood.init(-10, 20));  // off the map: gone after one tick
    ASSERT_TRUE(blood.init(30, 20));
    blood.update();
    EXPECT_TRUE(blood.get_life(0) > 0 && blood.get_life(1) == 0 && blood.get_life(2) > 0);
    ASSERT_TRUE(blood.init(40, 20));
    EXPECT_EQ(blood.get_x(1), 40) << "the freed slot is the first reused";
    EXPECT_EQ(blood.get_life(1), 250);

    int started = 3;
    while (blood.init(20, 20))
        started++;
    EXPECT_EQ(started, cblood::max_drops);
    std::srand(99);
    EXPECT_FALSE(blood.init(50, 50));
    const int next = std::rand();
    std::srand(99);
    EXPECT_EQ(next, std::rand());
}

TEST_F(Blood, AWoundSpills26DropsButStopsAtTheFirstRefusal)
{
    cplayer& fighter = enter(0);
    for (int free_drops : {30, 10}) {
        blood.reset();
        for (int drop = 0; drop < cblood::max_drops - free_drops; drop++)
            blood.init(20, 20);
        const int first = cblood::max_drops - free_drops;
        const unsigned seed = 5;
        std::srand(seed);
        fighter.set_health(100);
        fighter.damage(0, 10, 1);
        const int next = std::rand();
        ASSERT_EQ(fighter.get_health(), 90);
        const int spilled = std::min(free_drops, 26);
        for (int drop = first; drop < first + spilled; drop++)
            EXPECT_TRUE(blood.get_life(drop) == 250 && std::fabs(blood.get_x(drop) - fighter.get_x() - 20) <= 2
                        && std::fabs(blood.get_y(drop) - fighter.get_y() - 25) <= 2) << drop;
        EXPECT_EQ(blood.init(20, 20), free_drops > 26);
        // Each drop takes two numbers for its place and three for itself; a
        // refusal takes the place's two, and then the loop ends.
        const int draws = 5 * spilled + (free_drops < 26 ? 2 : 0);
        std::srand(seed);
        for (int draw = 0; draw < draws; draw++)
            std::rand();
        EXPECT_EQ(next, std::rand()) << free_drops << " free";
    }
}

TEST_F(Blood, LiveDropsArePackedSixVerticesEachAtTheScrollAndDrawnInOneCall)
{
    // Two stains around a drop that leaves the map on its first tick.
    blood.init(20.7f, 117.5f);
    blood.init(-10, 20);
    blood.init(150.3f, 117.9f);
    for (int drop = 0; drop < 3; drop++)
        blood.set_motion(drop, 0, 0);
    map.set_screen(10, 100);
    blood.update();
    ASSERT_EQ(blood.get_quad_count(), 2);
    const ALLEGRO_VERTEX* v = blood.get_vertices();
    const float corner_x[6] = {0, 3, 3, 3, 0, 0};
    const float corner_y[6] = {0, 0, 3, 3, 3, 0};
    const float left[2] = {20 - 10, 150 - 10};
    const float top = 117 - 100;
    for (int quad = 0; quad < 2; quad++) {
        const ALLEGRO_COLOR colour = v[6 * quad].color;
        EXPECT_TRUE(colour.g == 0 && colour.b == 0 && colour.a == 1);
        EXPECT_TRUE(std::set<float>({1, 0.75f, 0.5f}).count(colour.r)) << colour.r;
        for (int corner = 0; corner < 6; corner++) {
            const ALLEGRO_VERTEX& vertex = v[6 * quad + corner];
            EXPECT_TRUE(vertex.x == left[quad] + corner_x[corner] && vertex.y == top + corner_y[corner]
                        && vertex.z == 0 && vertex.u == corner_x[corner] && vertex.v == corner_y[corner]
                        && vertex.color.r == colour.r && vertex.color.a == colour.a)
                << quad << " " << corner;
        }
    }

    // Only the picture's top-left 3 x 3 pixels are used: the rest is green.
    stand_in_picture drop_picture(bblood, 8, 8, al_map_rgb(0, 255, 0));
    al_set_target_bitmap(bblood);
    al_draw_filled_rectangle(0, 0, 3, 3, al_map_rgb(255, 255, 255));
    ALLEGRO_BITMAP* screen = al_create_bitmap(200, 100);
    for (int fading : {0, 1}) {
        al_set_target_bitmap(screen);
        al_clear_to_color(al_map_rgb(0, 0, 0));
        blood.draw();
        for (int quad = 0; quad < 2; quad++) {
            const float shade = v[6 * quad].color.r / v[6 * quad].color.a * (fading ? 0.5f : 1);
            const int px = static_cast<int>(left[quad]), py = static_cast<int>(top);
            EXPECT_TRUE(pixel_is(screen, px, py, shade, 0, 0) && pixel_is(screen, px + 2, py + 2, shade, 0, 0));
            EXPECT_TRUE(pixel_is(screen, px + 3, py + 1, 0, 0, 0) && pixel_is(screen, px + 1, py + 3, 0, 0, 0));
        }
        for (int tick = 0; tick < 224; tick++)
            blood.update();
    }
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

// Flesh chunks, spawn smoke and wall debris through their real init, update
// and draw.
#include <cmath>
#include <cstdlib>
#include <type_traits>
#include <vector>

#include "app/assets.h"
#include "effect_test.h"
#include "effects/cblood.h"
#include "effects/cflesh.h"
#include "effects/cparticle.h"
#include "effects/csmoke.h"
#include "match/pools.h"
#include "room_test.h"

namespace {

using Debris = RoomTest;

struct motion_case {
    const char* what;
    float x, y, vx, vy;
    int ticks;
    float new_x, new_y, new_vx, new_vy;  // all 0: gone
};

// Runs chunks or specks started at each case's point with its speeds.
template <class Body>
void check_motion(const std::vector<motion_case>& cases)
{
    for (const motion_case& c : cases) {
        Body body;
        if constexpr (std::is_same_v<Body, cflesh>)
            body.init(c.x, c.y, 1000);
        else
            body.init(c.x, c.y);
        body.set_motion(c.vx, c.vy);
        for (int tick = 0; tick < c.ticks; tick++)
            body.update();
        const bool alive = c.new_x || c.new_y;
        EXPECT_EQ(in_use(body), alive) << c.what;
        EXPECT_TRUE(!alive || (body.get_x() == c.new_x && body.get_y() == c.new_y && body.get_vx() == c.new_vx
                               && body.get_vy() == c.new_vy))
            << c.what << ": " << body.get_x() << ", " << body.get_y() << " at " << body.get_vx() << ", "
            << body.get_vy();
    }
}

TEST_F(Debris, AChunkBurstsPushedAlongTheBlowBouncesLosingAThirdAndVanishesAtRestOrOffTheMap)
{
    for (float angle : {1000.0f, 0.0f, static_cast<float>(ALLEGRO_PI / 2)}) {
        std::srand(3);
        const float vx = (std::rand() % 201 - 100) / 10.0f, vy = (std::rand() % 201 - 100) / 10.0f;
        std::srand(3);
        cflesh chunk;
        chunk.init(50, 60, angle);
        EXPECT_NEAR(chunk.get_vx(), vx + (angle == 0 ? 7.5f : 0), 1e-5f) << angle;
        EXPECT_NEAR(chunk.get_vy(), vy + (angle == 0 || angle > 999 ? 0 : 7.5f), 1e-5f) << angle;
    }
    check_motion<cflesh>({
        {"bounces off the floor", 20, 113.5f, 2, 8, 1, 22, 113.5f, 1.4f, -5.6f},
        {"bounces off the wall", 113.5f, 40, 4, 0, 1, 113.5f, 40.25f, -2.8f, 0.175f},
        {"bounces off the ceiling", 130, 87, 0, -3, 1, 130, 86, 0, 1.925f},
        {"rolls on the floor", 20, 113.5f, 0.5f, 0, 1, 20.5f, 113.5f, 0.5f, 0},
        {"comes to rest", 20, 113.5f, 0.3f, 0.3f, 1, 0, 0, 0, 0},
        {"leaves right", 199.5f, 90, 1, 0, 1, 0, 0, 0, 0},
        {"leaves left", -5.5f, 90, -1, 0, 1, 0, 0, 0, 0},
        {"not yet left", -5, 90, -1, 0, 1, -6, 90.25f, -1, 0.25f},
    });
}

TEST_F(Debris, AChunkBleedsEveryTwoTicksOfTrailAndSpinsTenTimesSlowerInSlowMotion)
{
    for (bool slow : {false, true}) {
        set_slow(slow);
        blood.reset();
        const int every = slow ? 20 : 2;
        cflesh chunk;
        chunk.init(20, 10, 1000);
        chunk.set_motion(0, 0);
        for (int tick = 1; tick <= 10 * every; tick++) {
            const float x = chunk.get_x(), y = chunk.get_y();
            chunk.update();
            const int drops = tick / every;
            EXPECT_EQ(blood.get_life(drops), 0) << tick;
            EXPECT_TRUE(tick % every || (std::fabs(blood.get_x(drops - 1) - x) <= 5
                                         && std::fabs(blood.get_y(drops - 1) - y) <= 5));
        }
        EXPECT_TRUE(chunk.get_active() && blood.get_life(9) == 250);
        EXPECT_NEAR(chunk.get_rotation(), 0.6f, 1e-4f);
    }
}

TEST_F(Debris, ASpawnPuffsFortyFivePuffsOverTheBodyOrAsManyAsAreFree)
{
    for (bool crowded : {false, true}) {
        // Ten free puffs scattered over the pool.
        for (int i = 0; i < max_smoke; i++)
            crowded && i % 49 != 7 ? smoke[i].init(0, 0) : smoke[i].reset();
        players[0].deinit();
        players[0] = cplayer();
        enter(0);
        int started = 0;
        for (int i = 0; i < max_smoke; i++) {
            if (!smoke[i].active() || (crowded && i % 49 != 7))
                continue;
            EXPECT_EQ(smoke[i].get_x(), map.get_spx(0) + 10 * (started % 5)) << i;
            EXPECT_EQ(smoke[i].get_y(), map.get_spy(0) + 10 * (started / 5)) << i;
            started++;
        }
        EXPECT_EQ(started, crowded ? 10 : 45);
    }
}

TEST_F(Debris, APuffRisesSwellsAndFadesTenTimesSlowerInSlowMotion)
{
    unsigned seed = 0;  // the first that gives the shortest life
    do
        std::srand(++seed);
    while (std::rand() % 25 != 0);
    stand_in_picture sphere(bsphere, 100, 100, al_map_rgb(255, 255, 255));
    ALLEGRO_BITMAP* screen = al_create_bitmap(300, 300);
    for (bool slow : {false, true}) {
        set_slow(slow);
        std::srand(seed);
        csmoke puff;
        puff.init(150.5f, 120.7f);
        const float vx = puff.get_vx(), vy = puff.get_vy();
        EXPECT_TRUE(puff.get_life() == 25 && puff.get_size() == 75);

        // 75 wide round its floored centre, at a quarter of full white.
        map.set_screen(20, 10);
        al_set_target_bitmap(screen);
        al_clear_to_color(al_map_rgb(0, 0, 0));
        puff.draw();
        EXPECT_TRUE(pixel_is(screen, 92, 72, 0.25f, 0.25f, 0.25f) && pixel_is(screen, 166, 146, 0.25f, 0.25f, 0.25f));
        EXPECT_TRUE(pixel_is(screen, 91, 110, 0, 0, 0) && pixel_is(screen, 130, 147, 0, 0, 0));

        puff.update();
        const float s = slow ? 0.1f : 1;
        EXPECT_FLOAT_EQ(puff.get_size(), 75 + 0.4f * s);
        EXPECT_FLOAT_EQ(puff.get_vy(), vy - 0.04f * s);
        EXPECT_FLOAT_EQ(puff.get_x(), 150.5f + vx * s);
        EXPECT_FLOAT_EQ(puff.get_y(), 120.7f + puff.get_vy() * s) << "it rises before it moves";
        int ticks = 1;
        for (; puff.active(); ticks++)
            puff.update();
        EXPECT_EQ(ticks, slow ? 625 : 63);
    }
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

TEST_F(Debris, AWallHitThrowsFifteenSpecksThatStopDeadOnFloorsDropAfterWallsAndLeavePastTheEdge)
{
    for (bool crowded : {false, true}) {
        // Three free specks scattered over the pool.
        for (int i = 0; i < max_particles; i++)
            crowded && i % 200 != 50 ? particles[i].init(0, 0) : particles[i].reset();
        map.damage(117, 60);
        int started = 0;
        for (const cparticle& speck : particles) {
            if (!speck.active() || speck.get_x() != 117)
                continue;
            started++;
            EXPECT_TRUE(speck.get_life() == 100 && speck.get_y() == 60 && std::fabs(speck.get_vx()) <= 0.5f
                        && std::fabs(speck.get_vy()) <= 0.5f);
        }
        EXPECT_EQ(started, crowded ? 3 : 15);
    }
    check_motion<cparticle>({
        {"lands", 20, 117, 0.3f, 1.75f, 1, 20.3f, 118, 0, 0},
        {"stays", 20, 117, 0.3f, 1.75f, 5, 20.3f, 118, 0, 0},
        {"drops down a wall", 118, 40, 1, 0, 2, 118, 40.75f, 0, 0.5f},
        {"hits a ceiling", 130, 81, 0, -2, 1, 130, 80, 0, 0},
        {"not yet left at -1", -0.5f, 20, -0.5f, 0, 1, -1, 20.25f, -0.5f, 0.25f},
        {"leaves past -1", -0.6f, 20, -0.5f, 0, 1, 0, 0, 0, 0},
        {"leaves right", 199.5f, 90, 0.5f, 0, 1, 0, 0, 0, 0},
    });
}

TEST_F(Debris, ASpeckLivesAHundredTicksOrAThousandSlowFadingOverItsLastFifty)
{
    stand_in_picture speck(bparticle, 2, 2, al_map_rgb(255, 255, 255));
    ALLEGRO_BITMAP* screen = al_create_bitmap(100, 100);
    map.set_screen(10, 60);
    for (bool slow : {false, true}) {
        set_slow(slow);
        const int factor = slow ? 10 : 1;
        cparticle particle;
        particle.init(20, 118);
        int ticks = 0;
        for (; particle.active(); ticks++) {
            particle.update();
            const bool opaque = ticks + 1 == 49 * factor;  // life 51, then 25
            if (!opaque && ticks + 1 != 75 * factor)
                continue;
            al_set_target_bitmap(screen);
            al_clear_to_color(al_map_rgb(0, 0, 0));
            particle.draw();
            const float grey = opaque ? 1 : 0.5f;
            const int x = static_cast<int>(std::floor(particle.get_x())) - 10;
            EXPECT_TRUE(pixel_is(screen, x, 58, grey, grey, grey) && pixel_is(screen, x + 1, 59, grey, grey, grey));
            EXPECT_TRUE(pixel_is(screen, x + 2, 58, 0, 0, 0) && pixel_is(screen, x, 60, 0, 0, 0));
        }
        // A thousand float steps of 0.1 leave a sliver of life for one more tick.
        EXPECT_NEAR(ticks, 100 * factor, slow ? 1 : 0);
    }
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

// Grenades through their real update, explode and draw: bounces, rest, the
// fuse, the margins round the map, whom a blast kills, its flames and its bang.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/assets.h"
#include "app/sound.h"
#include "effect_test.h"
#include "effects/cflame.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "test_fighter.h"
#include "weapons/cgrenade.h"

namespace {

std::vector<sound_event> bangs;

// 320 x 160: a ceiling over x < 160, a wall at x 240..279 and y 80..119, the
// floor from y = 120 with a pit at x 160..199.
class Grenades : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        read_arena({"####....", "S.......", "......#.", "####.###"});
        map.set_screen(0, 0);
        bangs.clear();
        set_sound_listener([](const sound_event& e) {
            if (e.pair == sexplosion)
                bangs.push_back(e);
        });
    }
    void TearDown() override
    {
        for (cflame& flame : flames)
            flame.reset();
        FighterTest::TearDown();
    }
    static long burning()
    {
        return std::count_if(std::begin(flames), std::end(flames), [](const cflame& f) { return f.active(); });
    }
    // A fighter alive at full health with its body centre at (cx, cy).
    static cplayer& fighter(int i, float cx, float cy)
    {
        players[i].init(i);
        players[i].set_health(100);
        players[i].place(cx - 20, cy - 40);
        return players[i];
    }
};

bool near(float a, float b)
{
    return std::fabs(a - b) < 1e-5f;
}

cgrenade thrown(float x, float y, float rot, float vx, float vy)
{
    cgrenade grenade;
    grenade.init(x, y, 0, 0, 0);
    grenade.set_motion(rot, vx, vy);
    return grenade;
}

TEST_F(Grenades, OneTickBouncesReversingAndHalvingOrSpinsOrLiesStill)
{
    const float pi = ALLEGRO_PI;
    const struct {
        float x, y, rot, vx, vy;
        bool slow;
        float new_x, new_y, new_rot, new_vx, new_vy;
    } cases[] = {
        {228, 100, 0, 8, 0, false, 235, 100.25f, 0.05f, -4, 0.125f},        // wall ahead: probe at 240
        {290, 100, 0, -8, 0, false, 284, 100.25f, 0.05f, 4, 0.125f},        // wall behind: probe at 279
        {100, 110, 0, 2, 5.75f, false, 102, 115, 0.05f, 1, -3},             // floor, vy 6 after gravity
        {100, 50, 0, 2, -8.25f, false, 102, 44, 0.05f, 1, 4},               // ceiling: probe at 39
        {234, 114, 0, 4, 2.75f, false, 235, 115, 0.05f, -1, -0.75f},        // corner: both
        {100, 100, 0.1f, 1, 0, true, 100.1f, 100.0025f, 0.105f, 1, 0.025f}, // slow motion
        {100, 100, 3.1f, 0, 0, false, 100, 100.25f, -pi, 0, 0.25f},         // spin wraps
        {100, 115.5f, 2, 0.4f, -0.4f, false, 100, 115.5f, 0, 0, -0.125f},   // lies still
        {100, 115.5f, 2, 0.5f, 0, false, 100.5f, 115.5f, 2.05f, 0.25f, -0.125f},
    };
    for (const auto& c : cases) {
        game = cgame();
        if (c.slow)
            game.slowmotion();
        cgrenade grenade = thrown(c.x, c.y, c.rot, c.vx, c.vy);
        grenade.update();
        EXPECT_TRUE(near(grenade.get_x(), c.new_x) && near(grenade.get_y(), c.new_y) &&
                    near(grenade.get_rot(), c.new_rot) && near(grenade.get_vx(), c.new_vx) &&
                    near(grenade.get_vy(), c.new_vy))
            << "from " << c.x << ", " << c.y << ": " << grenade.get_x() << ", " << grenade.get_y() << " rot "
            << grenade.get_rot() << " speeds " << grenade.get_vx() << ", " << grenade.get_vy();
    }
}

TEST_F(Grenades, ADroppedGrenadeBouncesRestsForGoodAndExplodesAfter150TicksOr1482InSlowMotion)
{
    for (bool slow : {false, true}) {
        game = cgame();
        if (slow)
            game.slowmotion();
        cgrenade grenade = thrown(220, 20.5f, 0, 0, 0);
        const int fuse_updates = slow ? 1482 : 150;
        float falling = 0, rest_y = 0;
        int updates = 0;
        for (; grenade.active(); updates++) {
            const float vy = grenade.get_vy();
            grenade.update();
            if (falling == 0 && grenade.get_vy() < 0) {  // the first bounce: half of the speed it hit with
                falling = vy + 0.25f * game.slow();
                EXPECT_TRUE(static_cast<int>(grenade.get_y() + 5) == 120 && grenade.get_vy() == -falling / 2);
            }
            if (updates == fuse_updates * 2 / 3)
                rest_y = grenade.get_y();
            if (updates >= fuse_updates * 2 / 3 && updates < fuse_updates - 1) {
                EXPECT_TRUE(grenade.get_y() == rest_y && grenade.get_x() == 220 && grenade.get_rot() == 0 &&
                            grenade.get_vx() == 0) << "lying still at update " << updates + 1;
            }
        }
        EXPECT_GT(falling, 6);
        EXPECT_EQ(static_cast<int>(rest_y + 5), 120);
        EXPECT_EQ(updates, fuse_updates) << "the fuse burns in the air too";
    }
    EXPECT_EQ(bangs.size(), 2u);
}

TEST_F(Grenades, VanishesSixUnitsPastAnEdgeWithoutABlast)
{
    const struct {
        float x, y, vx, vy;  // vy before gravity
        bool stays;          // a lost grenade stops at the first unit past the margin
        float new_x, new_y;
    } cases[] = {
        {-5, 60, -1, -0.25f, true, -6, 60},   {-5, 60, -3, -0.25f, false, -7, 60},
        {324, 60, 1, -0.25f, true, 325, 60},  {325, 60, 3, -0.25f, false, 326, 60},
        {200, -5, 0, -1.25f, true, 200, -6},  {200, -5, 0, -3.25f, false, 200, -7},
        {180, 164, 0, 0.75f, true, 180, 165}, {180, 165, 0, 2.75f, false, 180, 166},
    };
    for (const auto& c : cases) {
        cgrenade grenade = thrown(c.x, c.y, 0, c.vx, c.vy);
        grenade.update();
        EXPECT_EQ(grenade.active(), c.stays) << c.x << ", " << c.y;
        EXPECT_EQ(grenade.get_x(), c.new_x);
        EXPECT_EQ(grenade.get_y(), c.new_y);
    }
    EXPECT_TRUE(bangs.empty());
    EXPECT_EQ(burning(), 0);
}

TEST_F(Grenades, ABlastKillsTheLivingNearerThanAHundredThroughWallsThrowerIncludedAndOnlyOnce)
{
    const float bx = 200, by = 100;  // a wall between this and x 290
    const struct {
        float dx, dy;
        bool dies;
    } fighters[] = {{0, 0, true}, {100, 0, false}, {-99.9f, 0, true}, {60, 80, false}, {90, 0, true}};
    for (int i = 0; i < 5; i++)
        fighter(i, bx + fighters[i].dx, by + fighters[i].dy);
    players[5].set_health(100);  // not in the match
    players[5].place(bx - 20, by - 40);
    fighter(6, bx, by).set_health(-500);  // waiting to re-enter
    players[0].score(true);
    players[0].score(true);

    grenades[0].init(bx, by, 0, 0, 0);
    grenades[1].init(bx, by, 0, 0, 0);
    grenades[0].explode();
    grenades[1].explode();
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(players[i].get_health() <= 0, fighters[i].dies) << i;
    EXPECT_EQ(players[5].get_health(), 100);
    EXPECT_EQ(players[6].get_health(), -500);
    EXPECT_EQ(players[0].get_kills(), 3) << "two, less one for itself, plus two victims";
    EXPECT_FALSE(grenades[0].active() || grenades[1].active());
    EXPECT_EQ(bangs.size(), 2u);
}

TEST_F(Grenades, ThirtyFlamesInTheFreeSlotsAndTheBangWhateverThePoolSpeedOrView)
{
    const struct {
        int busy;  // flames already burning from slot 0
        bool victim, slow, far_off;
        int started, variant;
        float gain;
    } cases[] = {
        {5, false, false, false, 30, 0, 1},
        {max_flames, true, true, false, 0, 1, 1},
        {0, false, false, true, 30, 0, 0.25f},
    };
    for (const auto& c : cases) {
        game = cgame();
        if (c.slow)
            game.slowmotion();
        map.set_screen(c.far_off ? 1000 : 0, 0);
        for (int i = 0; i < max_flames; i++) {
            if (i < c.busy)
                flames[i].init(0, 0, 0, 0, true);
            else
                flames[i].reset();
        }
        fighter(1, c.victim ? 150 : 1000, 80);
        bangs.clear();
        grenades[0].init(150, 80, 0, 0, 3);
        // A victim's flesh draws its own numbers; without one the first flame draws these.
        std::srand(7);
        const int r1 = std::rand() % 101, r2 = std::rand() % 101;
        std::srand(7);
        grenades[0].explode();

        EXPECT_EQ(players[1].get_health() <= 0, c.victim);
        EXPECT_EQ(burning(), c.busy + c.started);
        for (int i = c.busy; i < c.busy + c.started; i++)
            EXPECT_TRUE(!flames[i].get_smoke() && std::fabs(flames[i].get_x() - 150) <= 50);
        if (c.started > 0) {
            EXPECT_TRUE(flames[c.busy].get_x() == 100 + r2 && flames[c.busy].get_y() == 30 + r1);
        }
        ASSERT_EQ(bangs.size(), 1u);
        EXPECT_EQ(bangs[0].variant, c.variant);
        EXPECT_EQ(bangs[0].gain, c.gain);
    }
}

TEST_F(Grenades, DrawnTurnedAboutThePicturesPointSevenSixAndNeverWithoutAPicture)
{
    ALLEGRO_BITMAP* screen = al_create_bitmap(100, 100);
    map.set_screen(50, 20);
    cgrenade grenade = thrown(100.7f, 60.7f, ALLEGRO_PI / 2, 0, 0);  // (7, 6) lands on screen (50, 40)
    {
        stand_in_picture picture(bgrenade, 15, 12, al_map_rgb(255, 0, 0));
        al_set_target_bitmap(screen);
        al_clear_to_color(al_map_rgb(0, 0, 0));
        grenade.draw();
        // Turned a quarter, the 15 x 12 picture stands upright: rows 33..47, columns 44..55.
        const struct {
            int x, y;
            bool red;
        } pixels[] = {
            {50, 33, true}, {50, 47, true}, {50, 48, false}, {44, 40, true}, {55, 40, true}, {56, 40, false},
        };
        for (const auto& p : pixels)
            EXPECT_EQ(pixel_is(screen, p.x, p.y, 1, 0, 0), p.red) << p.x << ", " << p.y;
    }
    ALLEGRO_BITMAP* saved = bgrenade;
    bgrenade = nullptr;
    grenade.draw();
    bgrenade = saved;
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(screen);
}

}  // namespace

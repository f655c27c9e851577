// The guns' fire and reload cycle, the minigun's barrel, their sounds without
// a sound card, and drawing, all through the real update and draw.
#include <memory>
#include <vector>

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <gtest/gtest.h>

#include "app/assets.h"
#include "app/sound.h"
#include "fighters/cplayer.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "silent_audio.h"
#include "weapons/cmachine_gun.h"
#include "weapons/cminigun.h"
#include "weapons/cpistol.h"
#include "weapons/cshotgun.h"

namespace {

const int human = 0;
const int bot = 3;

// One tick with the trigger pulled or not; true when a cartridge left.
bool tick(cbweapon& gun, bool pull)
{
    float before = gun.get_ammo();
    if (pull)
        gun.shoot();
    gun.update();
    return gun.get_ammo() < before;
}

// The ticks, counted from 1, on which a shot left while the trigger was held.
std::vector<int> shots_while_held(cbweapon& gun, int ticks)
{
    std::vector<int> shots;
    for (int step = 1; step <= ticks; step++)
        if (tick(gun, true))
            shots.push_back(step);
    return shots;
}

class WeaponTest : public testing::Test {
protected:
    void SetUp() override
    {
        game = cgame();
        players[human] = cplayer();
        players[bot] = cplayer();
        players[human].place(100, 200);
        players[bot].place(500, 300);
    }
    void TearDown() override { game = cgame(); }
};

TEST_F(WeaponTest, ReloadFromEmptyTakesEachGunsTimeAndTenTimesAsLongInSlowMotion)
{
    using maker = std::unique_ptr<cbweapon> (*)();
    const struct {
        maker make;
        int updates;  // at normal speed
    } guns[] = {
        {[]() -> std::unique_ptr<cbweapon> { return std::make_unique<cpistol>(human); }, 141},
        {[]() -> std::unique_ptr<cbweapon> { return std::make_unique<cmachine_gun>(human); }, 251},
        {[]() -> std::unique_ptr<cbweapon> { return std::make_unique<cshotgun>(human); }, 252},
        {[]() -> std::unique_ptr<cbweapon> { return std::make_unique<cminigun>(human); }, 376},
    };
    for (bool slow : {false, true}) {
        for (const auto& gun_type : guns) {
            game = cgame();
            std::unique_ptr<cbweapon> gun = gun_type.make();
            for (int step = 0; step < 200 && !tick(*gun, true); step++) {
            }
            if (slow)
                game.slowmotion();
            gun->reload();
            ASSERT_TRUE(gun->get_reloading()) << "type " << gun->get_type();
            ASSERT_EQ(gun->get_ammo(), 0.0f);

            int updates = 0;
            for (; gun->get_reloading() && updates < 10000; updates++)
                gun->update();
            if (slow) {
                // Float sums land the last refill a tick either side of ten times.
                EXPECT_GE(updates, 10 * (gun_type.updates - 2)) << "type " << gun->get_type();
                EXPECT_LE(updates, 10 * gun_type.updates) << "type " << gun->get_type();
            } else {
                EXPECT_EQ(updates, gun_type.updates) << "type " << gun->get_type();
            }
            EXPECT_EQ(gun->get_ammo(), 1.0f);
        }
    }
}

TEST_F(WeaponTest, ReloadEmptiesAPartMagazineAndLeavesAFullOneOrARunningReloadAlone)
{
    cpistol pistol(human);
    pistol.reload();
    EXPECT_FALSE(pistol.get_reloading());
    EXPECT_EQ(pistol.get_ammo(), 1.0f);

    // Tapped, the human's pistol fires on every other tick.
    for (int shot = 0; shot < 4; shot++) {
        ASSERT_TRUE(tick(pistol, true));
        tick(pistol, false);
    }
    ASSERT_TRUE(tick(pistol, true));
    ASSERT_FLOAT_EQ(pistol.get_ammo() * 7, 2);
    pistol.reload();
    EXPECT_TRUE(pistol.get_reloading());
    EXPECT_EQ(pistol.get_ammo(), 0.0f);

    // The cool-down waits while the magazine refills.
    for (int step = 0; step < 50; step++)
        tick(pistol, false);
    EXPECT_EQ(pistol.get_delay(), 2);
    float refilled = pistol.get_ammo();
    pistol.reload();
    EXPECT_EQ(pistol.get_ammo(), refilled);
}

TEST_F(WeaponTest, PistolIsSemiAutomaticForTheHumanAndReArmedTo20ForABot)
{
    cpistol human_pistol(human);
    EXPECT_EQ(shots_while_held(human_pistol, 300), std::vector<int>{1});
    EXPECT_EQ(human_pistol.get_delay(), 2);
    // Released for one tick the cool-down falls to 1; the next pull runs it out and fires.
    EXPECT_FALSE(tick(human_pistol, false));
    EXPECT_EQ(human_pistol.get_delay(), 1);
    EXPECT_TRUE(tick(human_pistol, true));

    cpistol bot_pistol(bot);
    EXPECT_EQ(shots_while_held(bot_pistol, 50), std::vector<int>{1});
    EXPECT_EQ(bot_pistol.get_delay(), 20);
    // A bot pulls only once the delay is 0: a shot every 21 ticks.
    std::vector<int> shots;
    for (int step = 1; step <= 63; step++)
        if (tick(bot_pistol, bot_pistol.get_delay() == 0))
            shots.push_back(step);
    EXPECT_EQ(shots, (std::vector<int>{21, 42, 63}));
}

TEST_F(WeaponTest, AutomaticGunsFireAtTheirRateAndAgainAsSoonAsTheReloadEnds)
{
    cmachine_gun machine_gun(human);
    tick(machine_gun, true);
    tick(machine_gun, true);
    EXPECT_EQ(machine_gun.get_delay(), 6);  // a blocked pull does not re-arm

    std::vector<int> expected;
    for (int step = 8; step <= 169; step += 7)
        expected.push_back(step - 2);
    // The last cartridge leaves no cool-down: the update ending the reload fires.
    expected.push_back(167 + 251);
    expected.push_back(167 + 251 + 7);
    EXPECT_EQ(shots_while_held(machine_gun, 428), expected);

    cshotgun shotgun(bot);
    EXPECT_EQ(shots_while_held(shotgun, 301), (std::vector<int>{1, 101, 201, 301}));
}

TEST_F(WeaponTest, MinigunSpinsUpForASecondAndRunsDownWhenReleased)
{
    cminigun gun(bot);
    tick(gun, true);
    EXPECT_EQ(gun.get_delay(), 99);
    std::vector<int> shots = shots_while_held(gun, 469);
    ASSERT_EQ(shots.size(), 75u);
    EXPECT_EQ(shots.front(), 99);
    EXPECT_EQ(shots.back(), 99 + 74 * 5);
    EXPECT_TRUE(gun.get_reloading());

    // The last cartridge sets no cool-down; released, the barrel runs down one
    // tick per tick, reloading or not.
    for (int step = 0; step < 10; step++)
        tick(gun, false);
    EXPECT_EQ(gun.get_delay(), 10);
    for (int step = 0; step < 200; step++)
        tick(gun, false);
    EXPECT_EQ(gun.get_delay(), 100);

    // A short release costs only as many ticks as it lasted.
    cminigun spun(bot);
    ASSERT_EQ(shots_while_held(spun, 101), std::vector<int>{100});
    for (int step = 0; step < 10; step++)
        tick(spun, false);
    EXPECT_EQ(spun.get_delay(), 14);
    EXPECT_EQ(shots_while_held(spun, 14), std::vector<int>{14});
}

TEST_F(WeaponTest, MinigunBarrelTurnsTwoTicksPerPictureUntilAtRest)
{
    cminigun gun(bot);
    tick(gun, true);
    EXPECT_EQ(gun.get_frame(), 0);  // the barrel was at rest when this tick began
    for (float frame : {0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 0.0f, 0.5f}) {
        tick(gun, true);
        EXPECT_EQ(gun.get_frame(), frame);
    }
    for (int step = 0; step < 150; step++)
        tick(gun, false);
    float at_rest = gun.get_frame();
    tick(gun, false);
    EXPECT_EQ(gun.get_frame(), at_rest);
}

// Debian's library aborts on any null handle, so surviving is the test.
TEST_F(WeaponTest, RapidFireSoundsAreSafeWithoutASoundCardAndWithAMissingSample)
{
    {
        cmachine_gun machine_gun(human);
        cminigun minigun(human);
        machine_gun.stop();
        minigun.stop();
    }

    if (!install_silent_audio()) {
        al_uninstall_audio();
        GTEST_SKIP() << "no audio back end without a device";
    }
    ALLEGRO_SAMPLE* silence = make_silence(0.01f);
    ALLEGRO_SAMPLE* loaded[] = {smachine_gun[0], smachine_gun[1], sminigun[0], sminigun[1]};
    smachine_gun[0] = silence;
    smachine_gun[1] = nullptr;
    sminigun[0] = nullptr;
    sminigun[1] = silence;
    audio_works = true;
    {
        cmachine_gun machine_gun(human);
        cminigun minigun(human);
        machine_gun.stop();
        minigun.stop();
        minigun.stop();  // a second stop finds nothing left to destroy
    }
    audio_works = false;
    smachine_gun[0] = loaded[0];
    smachine_gun[1] = loaded[1];
    sminigun[0] = loaded[2];
    sminigun[1] = loaded[3];
    if (silence)
        al_destroy_sample(silence);
    al_uninstall_audio();
}

// A picture whose pixels say where they came from: red = 10 x column, green = 10 x row.
ALLEGRO_BITMAP* coded_picture(int width, int height)
{
    ALLEGRO_BITMAP* picture = al_create_bitmap(width, height);
    al_set_target_bitmap(picture);
    for (int column = 0; column < width; column++)
        for (int row = 0; row < height; row++)
            al_put_pixel(column, row, al_map_rgb(column * 10, row * 10, 255));
    return picture;
}

// The picture's (column, row) drawn at a screen point, or (-1, -1) for background.
std::vector<int> source_at(ALLEGRO_BITMAP* screen, int x, int y)
{
    unsigned char r, g, b;
    al_unmap_rgb(al_get_pixel(screen, x, y), &r, &g, &b);
    if (b != 255)
        return {-1, -1};
    return {r / 10, g / 10};
}

class GunDrawTest : public WeaponTest {
protected:
    void SetUp() override
    {
        WeaponTest::SetUp();
        loaded = bpistol;
        bpistol = coded_picture(16, 13);
        screen = al_create_bitmap(1920, 1080);
        map.set_screen(100, 50);
        players[human].place(300.7f, 200.2f);
    }
    void TearDown() override
    {
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(screen);
        al_destroy_bitmap(bpistol);
        bpistol = loaded;
        WeaponTest::TearDown();
    }
    void draw(cbweapon& gun)
    {
        gun.update();
        al_set_target_bitmap(screen);
        al_clear_to_color(al_map_rgb(0, 0, 0));
        gun.draw();
    }

    ALLEGRO_BITMAP* loaded = nullptr;
    ALLEGRO_BITMAP* screen = nullptr;
};

TEST_F(GunDrawTest, FacingRightThePivotSitsOnTheShoulder)
{
    cpistol pistol(human);
    draw(pistol);
    // The shoulder (319.7, 222.2), floored and scrolled, is (219, 172): pivot (3, 9) sits there.
    EXPECT_EQ(source_at(screen, 219, 172), (std::vector<int>{3, 9}));
    EXPECT_EQ(source_at(screen, 216, 163), (std::vector<int>{0, 0}));
    EXPECT_EQ(source_at(screen, 215, 163), (std::vector<int>{-1, -1}));
}

TEST_F(GunDrawTest, FacingLeftThePictureIsFlippedAboutTheSamePointOfTheGun)
{
    players[human].aim(-100, 0, 0);  // facing left, turned about half a circle
    ASSERT_TRUE(players[human].get_dir());
    cpistol pistol(human);
    draw(pistol);
    // The shoulder moves one unit right, to (220, 172); the flipped pivot (3, 4)
    // is the picture's point (3, 9) again, so the four pixels round it are those
    // round (3, 9), turned half a circle.
    EXPECT_EQ(source_at(screen, 219, 172), (std::vector<int>{3, 9}));
    EXPECT_EQ(source_at(screen, 220, 172), (std::vector<int>{2, 9}));
    EXPECT_EQ(source_at(screen, 219, 171), (std::vector<int>{3, 8}));
    EXPECT_EQ(source_at(screen, 220, 171), (std::vector<int>{2, 8}));
}

}  // namespace

// What leaves a gun when it fires: bullets from the muzzle, their spread, the
// flash, the casing and the sound, and what a full pool leaves out.
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "app/assets.h"
#include "app/sound.h"
#include "effects/cfire.h"
#include "effects/cshell.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "silent_audio.h"
#include "test_fighter.h"
#include "weapons/cbullet.h"
#include "weapons/cmachine_gun.h"
#include "weapons/cminigun.h"
#include "weapons/cpistol.h"
#include "weapons/cshotgun.h"

namespace {

std::vector<sound_event> heard;

void listen(const sound_event& event)
{
    heard.push_back(event);
}

int active_bullets()
{
    int count = 0;
    for (const cbullet& bullet : bullets)
        count += bullet.get_active();
    return count;
}

using gun_maker = std::function<std::unique_ptr<cbweapon>(int)>;

template <class Gun>
gun_maker make()
{
    return [](int owner) { return std::make_unique<Gun>(owner); };
}

class GunShotTest : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        read_arena({"..........", "..........", "..........", "..........", "..........",
                    "......S...", "..........", "##########"});
        map.set_screen(0, 0);
        for (cbullet& bullet : bullets)
            bullet.reset();
        for (cfire& flash : fire)
            flash.reset();
        for (cshell& casing : shells)
            casing.reset();
        // The shoulder, the gun's pivot, is then at (100, 200).
        players[0].init(0);
        players[0].set_health(100);
        players[0].place(81, 178);
        heard.clear();
        set_sound_listener(listen);
    }

    // One tick with the trigger pulled; true when a cartridge left.
    static bool fire_once(cbweapon& gun)
    {
        const float before = gun.get_ammo();
        gun.shoot();
        gun.update();
        return gun.get_ammo() < before;
    }
};

TEST_F(GunShotTest, PistolFiresFromItsMuzzleInBothFacings)
{
    cpistol right(0);
    ASSERT_TRUE(fire_once(right));
    EXPECT_NEAR(bullets[0].get_x(), 137.1f, 0.05f);
    EXPECT_NEAR(bullets[0].get_y(), 191.7f, 0.05f);
    EXPECT_EQ(bullets[0].get_angle(), 0.0f) << "a pistol has no spread";
    EXPECT_TRUE(fire[0].active());
    EXPECT_TRUE(shells[0].active());

    // Facing left the picture is flipped, so the offset turns the other way
    // about the pivot, which moves one unit right.
    players[0].aim(-100, 0, 0);
    ASSERT_TRUE(players[0].get_dir());
    const double aim = players[0].get_angle();
    cpistol left(0);
    ASSERT_TRUE(fire_once(left));
    EXPECT_NEAR(bullets[1].get_x(), 101 + 38 * std::cos(aim + 0.22), 0.01);
    EXPECT_NEAR(bullets[1].get_y(), 200 + 38 * std::sin(aim + 0.22), 0.01);
    EXPECT_TRUE(fire[1].active());
    EXPECT_TRUE(shells[1].active());
}

TEST_F(GunShotTest, ShotgunPelletsShareTheMuzzleAndSpreadWithin0075)
{
    cshotgun shotgun(0);
    ASSERT_TRUE(fire_once(shotgun));
    ASSERT_EQ(active_bullets(), 5);
    for (const cbullet& pellet : bullets) {
        if (!pellet.get_active())
            continue;
        EXPECT_EQ(pellet.get_x(), bullets[0].get_x());
        EXPECT_EQ(pellet.get_y(), bullets[0].get_y());
        EXPECT_LE(std::fabs(pellet.get_angle()), 0.075f + 1e-6f);
    }
}

TEST_F(GunShotTest, AFullBulletPoolDropsOnlyTheBullets)
{
    for (int busy : {30, 32}) {
        for (cbullet& bullet : bullets)
            bullet.reset();
        for (int i = 0; i < busy; i++)
            bullets[i].init(20, 20, 0, 1, 5);
        heard.clear();
        cshotgun shotgun(0);
        EXPECT_TRUE(fire_once(shotgun)) << busy << " busy: the cartridge is still used";
        EXPECT_EQ(active_bullets() - busy, busy == 30 ? 2 : 0) << busy << " busy";
        EXPECT_EQ(heard.size(), 1u) << busy << " busy: the sound still plays";
    }
    EXPECT_TRUE(shells[0].active() && shells[1].active()) << "both shots ejected a shell";
}

TEST_F(GunShotTest, EveryGunPlaysItsPairSlowVariantInSlowMotionAndQuietOffScreen)
{
    const struct {
        gun_maker maker;
        ALLEGRO_SAMPLE* const* pair;
    } guns[] = {
        {make<cpistol>(), spistol},
        {make<cmachine_gun>(), smachine_gun},
        {make<cshotgun>(), sshotgun},
        {make<cminigun>(), sminigun},
    };
    for (const auto& gun_type : guns) {
        for (bool slow : {false, true}) {
            for (bool on_screen : {true, false}) {
                game = cgame();
                if (slow)
                    game.slowmotion();
                map.set_screen(on_screen ? 0 : 3000, 0);
                std::unique_ptr<cbweapon> gun = gun_type.maker(0);
                heard.clear();
                for (int tick = 0; tick < 2000 && heard.empty(); tick++)
                    fire_once(*gun);
                ASSERT_EQ(heard.size(), 1u);
                EXPECT_EQ(heard[0].pair, gun_type.pair);
                EXPECT_EQ(heard[0].variant, slow ? 1 : 0);
                EXPECT_EQ(heard[0].gain, on_screen ? 1.0f : 0.25f);
                gun->stop();
            }
        }
    }
}

// A fast gun's shot cuts off the last one's sound, in either variant.
TEST(RestartSound, StopsBothVariantsThenPlaysTheChosenOneFromItsStart)
{
    if (!install_silent_audio()) {
        al_uninstall_audio();
        GTEST_SKIP() << "no audio back end without a device";
    }
    audio_works = true;
    ALLEGRO_SAMPLE* pair[2] = {make_silence(2), make_silence(2)};
    ALLEGRO_SAMPLE_INSTANCE* sounds[2];
    for (int variant = 0; variant < 2; variant++) {
        sounds[variant] = al_create_sample_instance(pair[variant]);
        al_attach_sample_instance_to_mixer(sounds[variant], al_get_default_mixer());
    }

    restart_sound(sounds, pair, 0, 1.0f);
    EXPECT_TRUE(al_get_sample_instance_playing(sounds[0]));
    al_set_sample_instance_position(sounds[0], 1000);
    restart_sound(sounds, pair, 0, 1.0f);
    EXPECT_LT(al_get_sample_instance_position(sounds[0]), 1000u) << "played again from its start";
    restart_sound(sounds, pair, 1, 0.25f);
    EXPECT_FALSE(al_get_sample_instance_playing(sounds[0]));
    EXPECT_TRUE(al_get_sample_instance_playing(sounds[1]));
    EXPECT_EQ(al_get_sample_instance_gain(sounds[1]), 0.25f);

    for (int variant = 0; variant < 2; variant++) {
        al_stop_sample_instance(sounds[variant]);
        al_destroy_sample_instance(sounds[variant]);
        al_destroy_sample(pair[variant]);
    }
    audio_works = false;
    al_uninstall_audio();
}

}  // namespace

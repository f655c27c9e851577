// Match snapshots: stepping on from a restore plays exactly as stepping on
// from the save did, the random numbers included, and a gun restored over
// another (or over empty hands) comes back whole without copying its sounds.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include <allegro5/allegro_audio.h>
#include <gtest/gtest.h>

#include "app/assets.h"
#include "app/sound.h"
#include "effects/cblood.h"
#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/match_hash.h"
#include "match/match_snapshot.h"
#include "match/random_state.h"
#include "silent_audio.h"

namespace {

const int bots = 10;
const int minigun_type = 3;

std::vector<int> draws(int count)
{
    std::vector<int> numbers;
    for (int draw = 0; draw < count; draw++)
        numbers.push_back(std::rand());
    return numbers;
}

// A seeded ten-bot match on the largest shipped map, headless.
class BusyMatch : public testing::Test {
protected:
    void SetUp() override
    {
        saved_bots = options.get_bots();
        options.set_bots(bots);
        options.set_skill(1);
        start();
    }
    void TearDown() override
    {
        game.deinit();
        options.set_bots(saved_bots);
    }

    static void start()
    {
        std::ifstream file("zkm/tower.zkm");
        ASSERT_TRUE(map.read(file, "zkm/tower.zkm")) << map.get_error();
        std::srand(2024);
        game = cgame();
        game.start();
    }
    static void steps(int count)
    {
        for (int step = 0; step < count; step++)
            game.update();
    }

    // What a stretch of steps ends in: the match's hash and the next numbers.
    struct outcome {
        std::uint64_t hash;
        std::vector<int> next_draws;
        bool operator==(const outcome& other) const
        {
            return hash == other.hash && next_draws == other.next_draws;
        }
    };
    static outcome play(int count)
    {
        steps(count);
        const std::uint64_t hash = match_hash();
        return {hash, draws(3)};
    }

    // What drawing the blood would send: its vertices' bits.
    static std::vector<std::uint32_t> blood_vertices()
    {
        const ALLEGRO_VERTEX* vertices = blood.get_vertices();
        std::vector<std::uint32_t> bits(blood.get_quad_count() * cblood::quad_vertices * sizeof(ALLEGRO_VERTEX) / 4);
        std::memcpy(bits.data(), vertices, bits.size() * 4);
        return bits;
    }

    int saved_bots = 1;
};

TEST_F(BusyMatch, StepsOnFromARestoreAsFromTheSave)
{
    const int before = 1500;  // every fighter has entered and the fight is on
    const int after = 500;

    // The same seed without a snapshot, for a match a save must not change.
    const outcome unsaved = play(before + after);
    start();

    steps(before);
    match_snapshot snapshot;
    snapshot.save();
    const std::uint64_t saved_hash = match_hash();
    const std::vector<std::uint32_t> saved_vertices = blood_vertices();
    ASSERT_GT(blood.get_quad_count(), 100) << "the fight has not begun";
    const outcome first = play(after);
    EXPECT_EQ(first, unsaved);
    EXPECT_NE(first.hash, saved_hash);
    ASSERT_NE(blood_vertices(), saved_vertices);

    snapshot.restore();
    EXPECT_EQ(match_hash(), saved_hash);
    EXPECT_EQ(blood_vertices(), saved_vertices) << "the blood drew a stale copy";
    EXPECT_EQ(play(after), first);

    snapshot.restore();
    snapshot.restore();
    EXPECT_EQ(match_hash(), saved_hash);
    EXPECT_EQ(play(after), first);
    EXPECT_GT(snapshot.bytes(), sizeof(blood_drops));
}

// The fighter with the spun-up minigun, after the save: it changed guns,
// died, or fired on. Each time the restore gives back its minigun as it was.
TEST_F(BusyMatch, MinigunComesBackWholeWhateverHappenedToItsHolder)
{
    // Real sound instances, so the sanitizers see them made and destroyed.
    const bool audio = install_silent_audio();
    ALLEGRO_SAMPLE* silence = audio ? make_silence(0.01f) : nullptr;
    ALLEGRO_SAMPLE* loaded[] = {sminigun[0], sminigun[1], smachine_gun[0], smachine_gun[1]};
    sminigun[0] = sminigun[1] = smachine_gun[0] = smachine_gun[1] = silence;
    audio_works = audio;

    steps(800);
    int holder = 1;
    while (holder < max_players && players[holder].get_health() <= 0)
        holder++;
    ASSERT_LT(holder, max_players) << "no bot alive";
    cplayer& fighter = players[holder];
    fighter.give_weapon(4);
    for (int tick = 0; tick < 40; tick++) {
        fighter.get_weapon()->shoot();
        fighter.get_weapon()->update();
    }
    match_snapshot snapshot;
    snapshot.save();
    const gun_state saved_gun = fighter.get_weapon()->get_state();
    const std::uint64_t saved_hash = match_hash();
    ASSERT_GT(saved_gun.frame, 0) << "the barrel is at rest";

    const struct {
        const char* what;
        void (*after_save)(cplayer& fighter);
    } cases[] = {
        {"took a machine gun", [](cplayer& f) { f.give_weapon(2); }},
        {"died", [](cplayer& f) { f.damage(0, 1000, -1); }},
        {"fired on", [](cplayer& f) {
             for (int tick = 0; tick < 30; tick++) {
                 f.get_weapon()->shoot();
                 f.get_weapon()->update();
             }
         }},
    };
    for (const auto& c : cases) {
        c.after_save(fighter);
        snapshot.restore();
        ASSERT_NE(fighter.get_weapon(), nullptr) << c.what;
        const gun_state gun = fighter.get_weapon()->get_state();
        EXPECT_EQ(fighter.get_weapon()->get_type(), minigun_type) << c.what;
        EXPECT_EQ(gun.ammo, saved_gun.ammo) << c.what;
        EXPECT_EQ(gun.delay, saved_gun.delay) << c.what;
        EXPECT_EQ(gun.frame, saved_gun.frame) << c.what;
        EXPECT_EQ(gun.owner, holder) << c.what;
        EXPECT_EQ(match_hash(), saved_hash) << c.what;
    }

    // Every gun made with sounds is gone before the audio.
    game.deinit();
    audio_works = false;
    sminigun[0] = loaded[0];
    sminigun[1] = loaded[1];
    smachine_gun[0] = loaded[2];
    smachine_gun[1] = loaded[3];
    if (silence)
        al_destroy_sample(silence);
    al_uninstall_audio();
}

TEST(RandomState, RestoredGeneratorDrawsTheSameNumbersAndSrandStillSeeds)
{
    const struct {
        unsigned int seed;
        int before, after;
    } runs[] = {{1, 0, 10}, {7, 5, 5}, {2024, 37, 300}};
    for (const auto& run : runs) {
        std::srand(run.seed);
        const std::vector<int> first = draws(run.before);
        const random_state saved = save_random_state();
        const std::vector<int> then = draws(run.after);
        restore_random_state(saved);
        EXPECT_EQ(draws(run.after), then) << "seed " << run.seed;
        restore_random_state(saved);
        restore_random_state(saved);
        EXPECT_EQ(draws(run.after), then) << "seed " << run.seed;

        std::vector<int> whole = first;
        whole.insert(whole.end(), then.begin(), then.end());
        std::srand(run.seed);
        EXPECT_EQ(draws(run.before + run.after), whole) << "seed " << run.seed;
    }
}

// A fresh run of this program, where the library's own state array is still
// in use, draws the same with a save in the middle as without one.
TEST(RandomState, FirstSaveLeavesTheNumbersToComeAlone)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::srand(7);
            const std::vector<int> unsaved = draws(10);
            std::srand(7);
            std::vector<int> saved = draws(5);
            save_random_state();
            const std::vector<int> rest = draws(5);
            saved.insert(saved.end(), rest.begin(), rest.end());
            std::_Exit(saved == unsaved ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace

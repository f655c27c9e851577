// Headless test start-up: the library without a display, the generated
// pictures loaded from the game folder, and a fixed random seed.
#include <cstdlib>

#include <unistd.h>

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <gtest/gtest.h>

#include "app/assets.h"

namespace {

class headless_game : public testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_EQ(chdir(ZK3_GAME_DIR), 0) << "no game folder " << ZK3_GAME_DIR;
        ASSERT_TRUE(al_init() && al_init_image_addon() && al_init_primitives_addon());
        ASSERT_TRUE(load_data()) << "the generated pictures are missing";
        std::srand(1234);
    }
    void TearDown() override { unload_data(); }
};

}  // namespace

// The library keeps the record of its audio thread after the thread ends;
// under the leak checker that is the library's, not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:al_create_thread\n";
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new headless_game);
    return RUN_ALL_TESTS();
}

// The asset table read in the background: the same pictures as a load in
// the calling thread, with the preparation done first, in the other thread.
#include <cstring>
#include <thread>

#include <gtest/gtest.h>

#include "app/assets.h"

namespace {

// The size and pixels of one picture of each kind, in one byte order.
std::vector<std::vector<uint32_t>> picture_pixels()
{
    std::vector<ALLEGRO_BITMAP*> handles;
    for (ALLEGRO_BITMAP** run : {barms, bhands, bhead, bhud, blegs, bmenu, bminigun, boptions, bshell, bshoes,
                                 bwaypoints})
        handles.push_back(run[0]);
    for (ALLEGRO_BITMAP* single : {bblood, bbody, bcrosshair, beditor, bfire, bflesh, bfont[0], bfont[1], bgrenade,
                                   bgrenade_icon, bmachine_gun, bparticle, bpistol, bshotgun, bskull, bsphere, bweapons})
        handles.push_back(single);
    std::vector<std::vector<uint32_t>> pictures;
    for (ALLEGRO_BITMAP* picture : handles) {
        const int w = al_get_bitmap_width(picture);
        const int h = al_get_bitmap_height(picture);
        std::vector<uint32_t> pixels = {static_cast<uint32_t>(w), static_cast<uint32_t>(h)};
        const ALLEGRO_LOCKED_REGION* region =
            al_lock_bitmap(picture, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
        EXPECT_NE(region, nullptr);
        for (int y = 0; region && y < h; y++) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const char*>(region->data) +
                                                                    y * region->pitch);
            pixels.insert(pixels.end(), row, row + w);
        }
        al_unlock_bitmap(picture);
        pictures.push_back(pixels);
    }
    return pictures;
}

TEST(Assets, ReadInTheBackgroundTheSamePicturesAfterThePreparation)
{
    const std::vector<std::vector<uint32_t>> read_here = picture_pixels();
    unload_data();

    std::thread::id prepared_in;
    bool prepared_before_reading = false;
    start_loading_data([&] {
        prepared_in = std::this_thread::get_id();
        prepared_before_reading = bfont[0] == nullptr;
    });
    ASSERT_TRUE(load_data());
    EXPECT_NE(prepared_in, std::this_thread::get_id());
    EXPECT_TRUE(prepared_before_reading);
    EXPECT_TRUE(picture_pixels() == read_here);

    // The other tests draw with the pictures as the calling thread loads them.
    unload_data();
    ASSERT_TRUE(load_data());
}

}  // namespace

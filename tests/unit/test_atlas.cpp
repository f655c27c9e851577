// The shared texture: every picture comes out of it pixel for pixel, framed
// by what filtering read around it in a texture of its own. (Drawing from it
// on a display is compared frame by frame with `zk3_frame --shots`; drawing
// into memory reads no frame at all.)
#include <algorithm>
#include <cstdlib>
#include <vector>

#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "app/atlas.h"

namespace {

struct size {
    int w, h;
};

// A picture whose every pixel differs from its neighbours, some see-through.
ALLEGRO_BITMAP* make_picture(size s, int seed)
{
    ALLEGRO_BITMAP* picture = al_create_bitmap(s.w, s.h);
    al_set_target_bitmap(picture);
    for (int y = 0; y < s.h; y++)
        for (int x = 0; x < s.w; x++)
            al_put_pixel(x, y, al_map_rgba((x * 37 + seed) % 256, (y * 53 + seed) % 256, (x ^ y) % 256,
                                           (x + y) % 3 == 0 ? 0 : 255));
    return picture;
}

bool same_pixel(ALLEGRO_COLOR a, ALLEGRO_COLOR b, int tolerance = 0)
{
    unsigned char ar, ag, ab, aa, br, bg, bb, ba;
    al_unmap_rgba(a, &ar, &ag, &ab, &aa);
    al_unmap_rgba(b, &br, &bg, &bb, &ba);
    return std::abs(ar - br) <= tolerance && std::abs(ag - bg) <= tolerance &&
           std::abs(ab - bb) <= tolerance && std::abs(aa - ba) <= tolerance;
}

// The shapes the game packs: wide strips, tall ones, tiny ones, squares.
const std::vector<size> shapes = {{1805, 31}, {2, 2}, {100, 100}, {7, 3}, {66, 44}, {1, 1},
                                  {300, 300}, {40, 40}, {1374, 300}, {12, 12}, {4, 90}};

class atlas_test : public testing::Test {
protected:
    void SetUp() override
    {
        for (size_t i = 0; i < shapes.size(); i++) {
            originals.push_back(make_picture(shapes[i], static_cast<int>(i) * 11));
            pictures.push_back(al_clone_bitmap(originals.back()));
        }
        for (ALLEGRO_BITMAP*& picture : pictures)
            handles.push_back(&picture);
    }
    void TearDown() override
    {
        for (ALLEGRO_BITMAP* picture : pictures)
            al_destroy_bitmap(picture);
        if (atlas)
            al_destroy_bitmap(atlas);
        for (ALLEGRO_BITMAP* original : originals)
            al_destroy_bitmap(original);
    }

    std::vector<ALLEGRO_BITMAP*> originals, pictures;
    std::vector<ALLEGRO_BITMAP**> handles;
    ALLEGRO_BITMAP* atlas = nullptr;
};

TEST_F(atlas_test, EveryPictureComesOutWholeAndFramedByItsEdges)
{
    atlas = pack_atlas(handles.data(), static_cast<int>(handles.size()), 4096);
    ASSERT_NE(atlas, nullptr);
    for (size_t i = 0; i < shapes.size(); i++) {
        const size s = shapes[i];
        ALLEGRO_BITMAP* part = pictures[i];
        ASSERT_EQ(al_get_parent_bitmap(part), atlas) << "picture " << i;
        ASSERT_EQ(al_get_bitmap_width(part), s.w);
        ASSERT_EQ(al_get_bitmap_height(part), s.h);
        const int left = al_get_bitmap_x(part);
        const int top = al_get_bitmap_y(part);
        for (int y = -atlas_frame; y < s.h + atlas_frame; y++) {
            for (int x = -atlas_frame; x < s.w + atlas_frame; x++) {
                // A picture under 16 wide or high had see-through texels right of or above it.
                const bool see_through = (x >= s.w && s.w < 16) || (y < 0 && s.h < 16);
                const ALLEGRO_COLOR expected =
                    see_through ? al_map_rgba(0, 0, 0, 0)
                                : al_get_pixel(originals[i], std::clamp(x, 0, s.w - 1), std::clamp(y, 0, s.h - 1));
                ASSERT_TRUE(same_pixel(al_get_pixel(atlas, left + x, top + y), expected))
                    << "picture " << i << " at " << x << ", " << y;
            }
        }
    }
}

TEST_F(atlas_test, TooSmallALimitLeavesThePicturesAsTheyWere)
{
    EXPECT_EQ(pack_atlas(handles.data(), static_cast<int>(handles.size()), 512), nullptr);
    for (size_t i = 0; i < shapes.size(); i++)
        EXPECT_EQ(al_get_parent_bitmap(pictures[i]), nullptr);
}

}  // namespace

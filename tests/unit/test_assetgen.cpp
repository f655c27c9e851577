// The generated pictures and sounds in the game folder (the working
// directory): every file of the asset table is there and loads, and the
// layouts the game's code relies on hold.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "../../tools/assetgen/tiles.h"
#include "app/assets.h"

namespace {

struct bitmap_deleter {
    void operator()(ALLEGRO_BITMAP* b) const { al_destroy_bitmap(b); }
};
using bitmap_ptr = std::unique_ptr<ALLEGRO_BITMAP, bitmap_deleter>;

bitmap_ptr load(const std::string& path) { return bitmap_ptr(al_load_bitmap(path.c_str())); }

std::uint32_t little_endian(const unsigned char* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; i--)
        v = v << 8 | p[i];
    return v;
}

// The sample count of a 16-bit PCM mono 44100 Hz WAV file, or -1 if it is not one.
long pcm16_samples(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char h[44];
    if (!in.read(reinterpret_cast<char*>(h), sizeof h))
        return -1;
    bool pcm16 = std::string(reinterpret_cast<char*>(h), 4) == "RIFF" &&
                 std::string(reinterpret_cast<char*>(h + 8), 8) == "WAVEfmt " &&
                 little_endian(h + 20, 2) == 1 && little_endian(h + 22, 2) == 1 &&
                 little_endian(h + 24, 4) == 44100 && little_endian(h + 34, 2) == 16 &&
                 std::string(reinterpret_cast<char*>(h + 36), 4) == "data";
    return pcm16 ? static_cast<long>(little_endian(h + 40, 4) / 2) : -1;
}

// Every picture by file name (a run of numbered files shares one row) with
// the size its offsets and pivots in the game's code were made for.
struct picture_size {
    const char* stem;
    int first, last;  // numbered files stem_first.png .. stem_last.png; 0 = no number
    int width, height;
};

const picture_size picture_sizes[] = {
    {"arms", 1, 1, 32, 10},     {"arms", 2, 3, 48, 29},     {"blood", 0, 0, 4, 4},
    {"body", 0, 0, 25, 30},     {"crosshair", 0, 0, 17, 17}, {"editor", 0, 0, 800, 150},
    {"fire", 0, 0, 26, 12},     {"flesh", 0, 0, 12, 12},    {"font20", 0, 0, 1235, 21},
    {"font30", 0, 0, 1805, 31}, {"grenade", 0, 0, 15, 13},  {"grenade_icon", 0, 0, 20, 24},
    {"hands", 1, 1, 32, 10},    {"hands", 2, 3, 48, 29},    {"head", 1, 3, 14, 17},
    {"hud", 1, 1, 430, 40},     {"hud", 2, 3, 394, 40},     {"hud", 4, 4, 300, 24},
    {"legs", 1, 9, 66, 40},     {"shoes", 1, 9, 66, 44},    {"machine_gun", 0, 0, 52, 34},
    {"menu", 1, 1, 1374, 300},  {"menu", 2, 6, 300, 50},    {"menu", 7, 8, 145, 40},    {"minigun", 1, 3, 84, 36},
    {"options", 1, 1, 348, 39}, {"options", 2, 2, 302, 39}, {"options", 3, 3, 300, 50},
    {"particle", 0, 0, 2, 2},   {"pistol", 0, 0, 42, 13},   {"shell", 1, 1, 7, 3},
    {"shell", 2, 2, 10, 4},     {"shotgun", 0, 0, 57, 29},  {"skull", 0, 0, 40, 44},
    {"sphere", 0, 0, 100, 100}, {"waypoint", 1, 16, 40, 40}, {"weapons", 0, 0, 300, 300},
};

TEST(GeneratedAssets, EveryPictureLoadsWithItsSize)
{
    std::vector<std::string> sized;
    for (const picture_size& row : picture_sizes)
        for (int n = row.first; n <= row.last; n++) {
            std::string path = std::string("png/") + row.stem + (n ? "_" + std::to_string(n) : "") + ".png";
            sized.push_back(path);
            bitmap_ptr picture = load(path);
            ASSERT_TRUE(picture) << path;
            EXPECT_EQ(al_get_bitmap_width(picture.get()), row.width) << path;
            EXPECT_EQ(al_get_bitmap_height(picture.get()), row.height) << path;
        }
    std::vector<std::string> listed = picture_paths();
    std::sort(listed.begin(), listed.end());
    std::sort(sized.begin(), sized.end());
    EXPECT_EQ(sized, listed) << "every picture of the asset table has a size above, and only those";
}

TEST(GeneratedAssets, EverySoundIs16BitPcmAndSlowMotionIsLonger)
{
    const std::vector<std::string> paths = sound_paths();
    ASSERT_EQ(paths.size(), 16u);
    for (std::size_t i = 0; i < paths.size(); i += 2) {
        long plain = pcm16_samples(paths[i]), slow = pcm16_samples(paths[i + 1]);
        EXPECT_GT(plain, 44100 / 20) << paths[i];
        EXPECT_GT(slow, 2 * plain) << paths[i + 1];
    }
}

struct strip_case {
    int index, cell, glyph_width, glyph_height;
};

TEST(GeneratedAssets, FontStripsHaveOneWhiteGlyphPerCellAndAnEmptyLastColumn)
{
    for (strip_case font : {strip_case{0, 13, 12, 21}, strip_case{1, 19, 18, 31}}) {
        ALLEGRO_BITMAP* strip = bfont[font.index];
        ASSERT_NE(strip, nullptr);
        ASSERT_EQ(al_get_bitmap_width(strip), 95 * font.cell);
        ASSERT_EQ(al_get_bitmap_height(strip), font.glyph_height);
        al_lock_bitmap(strip, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
        for (int code = 32; code <= 126; code++) {
            int left = (code - 32) * font.cell, ink = 0;
            for (int y = 0; y < font.glyph_height; y++) {
                EXPECT_EQ(al_get_pixel(strip, left + font.glyph_width, y).a, 0.0f) << "code " << code;
                for (int x = left; x < left + font.glyph_width; x++) {
                    ALLEGRO_COLOR c = al_get_pixel(strip, x, y);
                    // Premultiplied on load: white glyphs have colour equal to alpha.
                    EXPECT_NEAR(c.r, c.a, 0.01f);
                    ink += c.a > 0;
                }
            }
            if (code == ' ')
                EXPECT_EQ(ink, 0);
            else
                EXPECT_GT(ink, 0) << "code " << code << " has no glyph";
        }
        // "A" holds fully opaque white pixels.
        int opaque = 0;
        for (int y = 0; y < font.glyph_height; y++)
            for (int x = 0; x < font.glyph_width; x++) {
                ALLEGRO_COLOR c = al_get_pixel(strip, ('A' - 32) * font.cell + x, y);
                opaque += c.a == 1.0f && c.r == 1.0f && c.g == 1.0f && c.b == 1.0f;
            }
        EXPECT_GT(opaque, 10);
        al_unlock_bitmap(strip);
    }
}

TEST(GeneratedAssets, MenuPicturesFitTheirPlaces)
{
    for (int item = 1; item <= 5; item++) {
        EXPECT_EQ(al_get_bitmap_width(bmenu[item]), 300);
        EXPECT_EQ(al_get_bitmap_height(bmenu[item]), 50);
    }
    // The title, drawn at (273, 37), stays on screen and above the first item.
    EXPECT_LE(273 + al_get_bitmap_width(bmenu[0]), 1920);
    EXPECT_LE(37 + al_get_bitmap_height(bmenu[0]), 360);
    EXPECT_EQ(al_get_bitmap_width(boptions[2]), 300);
    EXPECT_EQ(al_get_bitmap_height(boptions[2]), 50);
    EXPECT_EQ(al_get_bitmap_width(bsphere), 100);
    EXPECT_EQ(al_get_bitmap_height(bsphere), 100);
    EXPECT_GE(al_get_bitmap_width(bhud[3]), 300);
    EXPECT_EQ(al_get_bitmap_height(bhud[3]), 24);
}

TEST(GeneratedAssets, TilesAreOpaqueFortyByForty)
{
    std::vector<std::string> files;
    for (const char* name : wall_tile_names)
        files.push_back("png/" + wall_tile_file(name));
    for (const char* name : back_tile_names)
        files.push_back("png/" + back_tile_file(name));
    EXPECT_GE(files.size(), 20u);
    for (const std::string& file : files) {
        bitmap_ptr tile = load(file);
        ASSERT_TRUE(tile) << file;
        EXPECT_EQ(al_get_bitmap_width(tile.get()), tile_size);
        EXPECT_EQ(al_get_bitmap_height(tile.get()), tile_size);
        EXPECT_EQ(al_get_pixel(tile.get(), 0, 0).a, 1.0f) << file;
        EXPECT_EQ(al_get_pixel(tile.get(), 39, 39).a, 1.0f) << file;
    }
}

// Tinting multiplies: shirt and pants pictures must be pure greys to take any colour.
TEST(GeneratedAssets, TintedDollPartsAreGrey)
{
    std::vector<ALLEGRO_BITMAP*> tinted = {bbody, barms[0], barms[1], barms[2]};
    tinted.insert(tinted.end(), blegs, blegs + 9);
    for (ALLEGRO_BITMAP* part : tinted) {
        ASSERT_NE(part, nullptr);
        for (int y = 0; y < al_get_bitmap_height(part); y++)
            for (int x = 0; x < al_get_bitmap_width(part); x++) {
                ALLEGRO_COLOR c = al_get_pixel(part, x, y);
                ASSERT_NEAR(c.r, c.g, 0.01f);
                ASSERT_NEAR(c.g, c.b, 0.01f);
            }
    }
}

// A gun drawn flipped turns about its second pivot, so its height is the sum
// of the two pivots' y; the same holds for the arms around the shoulder.
TEST(GeneratedAssets, FlippedPivotsMatchPictureHeights)
{
    EXPECT_EQ(al_get_bitmap_height(bpistol), 9 + 4);
    EXPECT_EQ(al_get_bitmap_height(bmachine_gun), 6 + 28);
    EXPECT_EQ(al_get_bitmap_height(bshotgun), 6 + 23);
    for (ALLEGRO_BITMAP* frame : bminigun)
        EXPECT_EQ(al_get_bitmap_height(frame), 6 + 30);
    EXPECT_EQ(al_get_bitmap_height(barms[0]), 5 + 5);
    EXPECT_EQ(al_get_bitmap_height(barms[1]), 6 + 23);
    EXPECT_EQ(al_get_bitmap_height(barms[2]), 6 + 23);
}

TEST(GeneratedAssets, SphereAndBloodAreWhiteWhereTheGameSamplesThem)
{
    ALLEGRO_COLOR centre = al_get_pixel(bsphere, 50, 50);
    EXPECT_GT(centre.a, 0.8f);
    EXPECT_NEAR(centre.r, centre.a, 0.01f);  // white, premultiplied
    EXPECT_EQ(al_get_pixel(bsphere, 0, 0).a, 0.0f);
    EXPECT_EQ(al_get_pixel(bsphere, 99, 50).a, 0.0f);
    ALLEGRO_COLOR drop = al_get_pixel(bblood, 1, 1);
    EXPECT_EQ(drop.a, 1.0f);
    EXPECT_GT(drop.r, 0.9f);
    EXPECT_EQ(al_get_pixel(bcrosshair, 8, 8).a, 1.0f);
}

bool opaque(ALLEGRO_BITMAP* picture, int x, int y)
{
    return x >= 0 && y >= 0 && x < al_get_bitmap_width(picture) && y < al_get_bitmap_height(picture) &&
           al_get_pixel(picture, x, y).a > 0.5f;
}

// Everything turned about a point in its picture turns about its own body,
// never about empty air beside it (the points the game's code turns them about).
TEST(GeneratedAssets, RotationCentresLieOnThePicture)
{
    struct centre {
        const char* name;
        ALLEGRO_BITMAP* picture;
        int x, y;
    } centres[] = {
        {"muzzle flash", bfire, 0, 6},     {"cartridge case", bshell[0], 3, 1},
        {"shotgun shell", bshell[1], 3, 1}, {"grenade", bgrenade, 7, 6},
        {"flesh", bflesh, 6, 6},           {"pistol arm", barms[0], 3, 5},
        {"rear arm", barms[1], 16, 6},     {"front arm", barms[2], 16, 6},
    };
    for (const centre& c : centres) {
        ASSERT_NE(c.picture, nullptr) << c.name;
        EXPECT_TRUE(opaque(c.picture, c.x, c.y)) << c.name << " at (" << c.x << ", " << c.y << ")";
    }
}

// The middle of each fist, carried from the hand picture into the gun picture
// (both turn about the shoulder, each about its own pivot), lands on the gun:
// the hands hold the guns in every aim and, the pictures being flipped about
// the same pivots, in both facings.
TEST(GeneratedAssets, HandsHoldTheirGuns)
{
    struct grip {
        const char* name;
        ALLEGRO_BITMAP* gun;
        float gun_x, gun_y;  // the gun's pivot facing right
        int hand;            // hand picture
        float hand_x, hand_y;
    };
    std::vector<grip> grips = {{"pistol", bpistol, 3, 9, 0, 3, 5}};
    const std::pair<const char*, ALLEGRO_BITMAP*> long_guns[] = {
        {"machine gun", bmachine_gun}, {"shotgun", bshotgun}, {"minigun", bminigun[0]}};
    for (const auto& gun : long_guns)
        for (int hand : {1, 2})
            grips.push_back({gun.first, gun.second, 16, 6, hand, 16, 6});
    for (const grip& g : grips) {
        ALLEGRO_BITMAP* hand = bhands[g.hand];
        ASSERT_NE(hand, nullptr);
        ASSERT_NE(g.gun, nullptr) << g.name;
        float sum_x = 0, sum_y = 0, count = 0;
        for (int y = 0; y < al_get_bitmap_height(hand); y++)
            for (int x = 0; x < al_get_bitmap_width(hand); x++)
                if (opaque(hand, x, y)) {
                    sum_x += x;
                    sum_y += y;
                    count++;
                }
        ASSERT_GT(count, 0) << "hand " << g.hand << " is empty";
        const int x = static_cast<int>(sum_x / count - g.hand_x + g.gun_x);
        const int y = static_cast<int>(sum_y / count - g.hand_y + g.gun_y);
        EXPECT_TRUE(opaque(g.gun, x, y)) << g.name << ": hand " << g.hand << " closes on (" << x << ", " << y
                                         << ") of the gun";
    }
}

}  // namespace

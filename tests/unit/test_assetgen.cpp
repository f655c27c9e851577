// The generated pictures and sounds in the game folder (the working
// directory): every file of the asset table is there and loads, and the
// layouts the game's code relies on hold.
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
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

TEST(GeneratedAssets, EveryPictureLoads)
{
    EXPECT_EQ(picture_paths().size(), 78u);
    for (const std::string& path : picture_paths())
        EXPECT_TRUE(load(path)) << path;
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

}  // namespace

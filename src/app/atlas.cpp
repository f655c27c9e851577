#include "app/atlas.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

const int preferred_width = 2048;
const ALLEGRO_PIXEL_FORMAT copy_format = ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE;

struct place {
    int x, y;  // of the picture itself, inside its frame
};

// Shelves of pictures, tallest first; each shelf as high as its first.
// Returns the atlas height, or -1 when a picture does not fit the width.
int shelve(const std::vector<int>& widths, const std::vector<int>& heights, int width,
           std::vector<place>& places)
{
    std::vector<int> order(widths.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return heights[a] > heights[b]; });
    places.assign(widths.size(), {0, 0});
    int x = 0, shelf_top = 0, shelf_height = 0;
    for (int i : order) {
        const int framed_width = widths[i] + 2 * atlas_frame;
        const int framed_height = heights[i] + 2 * atlas_frame;
        if (framed_width > width)
            return -1;
        if (x + framed_width > width) {
            shelf_top += shelf_height;
            x = 0;
            shelf_height = 0;
        }
        places[i] = {x + atlas_frame, shelf_top + atlas_frame};
        x += framed_width;
        shelf_height = std::max(shelf_height, framed_height);
    }
    return shelf_top + shelf_height;
}

uint32_t* row(const ALLEGRO_LOCKED_REGION* region, int y)
{
    return reinterpret_cast<uint32_t*>(static_cast<char*>(region->data) + y * region->pitch);
}

// The picture at (left, top) of the locked atlas with its frame, which
// holds what filtering read around the picture in a texture of its own: the
// edge pixels, repeated outwards. But the library makes no texture narrower
// or lower than 16: a smaller picture sat in the corner of one, with
// see-through texels to its right or above it.
void copy_framed(ALLEGRO_BITMAP* picture, ALLEGRO_LOCKED_REGION* atlas, int left, int top)
{
    const int smallest_texture = 16;
    const int w = al_get_bitmap_width(picture);
    const int h = al_get_bitmap_height(picture);
    const ALLEGRO_LOCKED_REGION* source = al_lock_bitmap(picture, copy_format, ALLEGRO_LOCK_READONLY);
    if (!source)
        return;
    const bool clear_right = w < smallest_texture;
    const bool clear_above = h < smallest_texture;
    for (int y = -atlas_frame; y < h + atlas_frame; y++) {
        uint32_t* to = row(atlas, top + y) + left;
        if (y < 0 && clear_above)
            continue;  // the atlas starts see-through
        const uint32_t* from = row(source, std::clamp(y, 0, h - 1));
        for (int x = -atlas_frame; x < 0; x++)
            to[x] = from[0];
        std::memcpy(to, from, sizeof(uint32_t) * w);
        for (int x = w; x < w + atlas_frame && !clear_right; x++)
            to[x] = from[w - 1];
    }
    al_unlock_bitmap(picture);
}

}  // namespace

ALLEGRO_BITMAP* pack_atlas(ALLEGRO_BITMAP** pictures[], int count, int max_side)
{
    std::vector<int> widths, heights;
    for (int i = 0; i < count; i++) {
        widths.push_back(al_get_bitmap_width(*pictures[i]));
        heights.push_back(al_get_bitmap_height(*pictures[i]));
    }
    std::vector<place> places;
    const int width = std::min(preferred_width, max_side);
    const int height = shelve(widths, heights, width, places);
    if (height < 0 || height > max_side)
        return nullptr;

    // Built in memory, then made a bitmap of the kind asked for in one go.
    const int wanted_flags = al_get_new_bitmap_flags();
    const int wanted_format = al_get_new_bitmap_format();
    al_set_new_bitmap_flags(wanted_flags | ALLEGRO_MEMORY_BITMAP);
    al_set_new_bitmap_format(copy_format);
    ALLEGRO_BITMAP* atlas = al_create_bitmap(width, height);
    al_set_new_bitmap_flags(wanted_flags);
    al_set_new_bitmap_format(wanted_format);
    if (!atlas)
        return nullptr;

    ALLEGRO_LOCKED_REGION* region = al_lock_bitmap(atlas, copy_format, ALLEGRO_LOCK_WRITEONLY);
    for (int y = 0; y < height; y++)
        std::memset(row(region, y), 0, sizeof(uint32_t) * width);
    for (int i = 0; i < count; i++)
        copy_framed(*pictures[i], region, places[i].x, places[i].y);
    al_unlock_bitmap(atlas);

    // Without a display every bitmap is a memory bitmap anyway.
    if (!(wanted_flags & ALLEGRO_MEMORY_BITMAP) && al_get_current_display()) {
        al_convert_bitmap(atlas);
        if (al_get_bitmap_flags(atlas) & ALLEGRO_MEMORY_BITMAP) {
            al_destroy_bitmap(atlas);
            return nullptr;
        }
    }
    for (int i = 0; i < count; i++) {
        ALLEGRO_BITMAP* part = al_create_sub_bitmap(atlas, places[i].x, places[i].y, widths[i], heights[i]);
        al_destroy_bitmap(*pictures[i]);
        *pictures[i] = part;
    }
    return atlas;
}

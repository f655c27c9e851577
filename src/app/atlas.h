// One texture for many pictures. Held drawing batches draws only while the
// texture stays the same, so pictures drawn together should share one.
#pragma once

#include <allegro5/allegro.h>

// Every picture is framed by this many pixels of what linear filtering
// read around it in a texture of its own, so that drawn scaled down to a
// third or turned it looks as it did.
constexpr int atlas_frame = 4;

// Copies `count` pictures (memory bitmaps, none null) into one new bitmap
// made with the current new-bitmap flags, and replaces each picture by a
// sub-bitmap of it in the same place of the array, destroying the original.
// Returns the atlas, which must outlive the sub-bitmaps; null when it cannot
// be made (more than `max_side` pixels wide or high, or no memory), and the
// pictures are then left as they were.
ALLEGRO_BITMAP* pack_atlas(ALLEGRO_BITMAP** pictures[], int count, int max_side);

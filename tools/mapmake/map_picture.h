// Pictures of a read map, for looking at a layout without starting the game.
// Both draw with the game's own map drawing; the tile pictures come from png/
// of the working directory, so run them in the game folder.
#pragma once

class cmap;

// The screen a match opens on: 1920 x 1080 at the map's current scroll.
bool save_view_picture(const cmap& map_to_draw, const char* png_path);

// The whole map at `scale` (1 = full size), with each waypoint's picture
// drawn over its cell when `markers` is true. Scrolls the map as it goes.
bool save_whole_picture(cmap& map_to_draw, const char* png_path, float scale, bool markers);

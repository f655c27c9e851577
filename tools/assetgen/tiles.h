// The tile pictures a map may name: 40 x 40, seamless when repeated. Wall
// tiles are the solid layer; back tiles are darker, low-contrast backdrops
// so that walls read as solid in front of them. A map names a tile by its
// file under png/, for example "wall_brick.png".
#pragma once

#include <string>

inline constexpr int tile_size = 40;

inline const char* const wall_tile_names[] = {
    "brick", "concrete", "metal", "wood", "stone", "grating", "rock", "crate", "hazard", "panel", "sandstone",
};

inline const char* const back_tile_names[] = {
    "brick", "concrete", "metal", "wood", "stone", "pipes", "rock", "tiles", "vent", "panel",
};

inline std::string wall_tile_file(const std::string& name) { return "wall_" + name + ".png"; }
inline std::string back_tile_file(const std::string& name) { return "back_" + name + ".png"; }

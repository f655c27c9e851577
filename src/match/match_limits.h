// The limits the game holds a match's settings and controls to where they
// come from outside the program: the replay files and the network's packets
// are read against these same numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A fighter's look: hair, shirt and pants, each one of its part's colours.
const int colour_parts = 3;
const int colour_counts[colour_parts] = {3, 6, 6};
const char* const colour_names[colour_parts] = {"hair", "shirt", "pants"};

const int hardest_skill = 0;
const int easiest_skill = 2;

// A control reading's pointer reach in display pixels, and the display's
// pixels per logical unit.
const std::int32_t max_pointer_reach = 1000000;
const float smallest_scale = 0.01f;
const float largest_scale = 100;

// The map a match is played on, by file name and whole text.
const std::size_t max_map_name = 64;
const std::size_t max_map_text = 4u << 20;

// A file name of the map folder: "<name>.zkm" with no path in it, 1 to
// max_map_name bytes.
bool is_map_name(const std::string& name);

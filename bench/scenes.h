// Seeded match scenes on the largest shipped map, for timing the step and
// the frame. The game folder must be the working directory (maps are read
// from zkm/, their pictures from png/).
//
//   a  ten bots roaming a running match
//   b  ten bots in a fire fight, lined up on one floor in sight of each other
//   c  the worst case: the fire fight with every effect pool full
#pragma once

#include <string>

// The shipped map with the most cells: its name without the extension, or
// "" when zkm/ holds none.
std::string largest_map();

// Reads the largest shipped map and starts a seeded match of ten bots on it,
// brought to scene 'a', 'b' or 'c'. False (with the reason on standard
// error) when the map cannot be read. Call keep_scene before every timed step.
bool start_scene(char scene);

// Puts the scene back as it should be before step `step` (counting from 0):
// the fight line-up for b every 200 steps, and for c before every step, with
// every pool refilled.
void keep_scene(char scene, int step);

// Ends the match: frees the fighters' guns and the map's pictures.
void end_scene();

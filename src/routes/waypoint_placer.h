// Bot waypoints placed from the walls alone: the map maker's tool and the
// editor both call `place_waypoints` on a map's cell codes.
//
// Walls, back pictures and spawn points (markers 1..8, the first 32 in
// reading order) stay; every other marker goes. Where a floor ends at a wall
// that a jump does not clear, or at an edge that drops into a pit with no
// way back, a turn marker sends walking bots back. Where a gap can be jumped,
// a jump marker over the gap and a direction marker above it carry bots
// across (a jump marker jumps in place; the direction marker that the rising
// body enters turns it into a sideways jump); the same pair inside a floor
// lifts half the bots passing by onto a floor above. Every jump is flown
// through the fighters' own movement first, and no marker goes where it would
// turn a bot on a jump or a drop. Long floors get markers that now and then
// make a bot jump and pick a new side. A map with fewer than 8
// spawn points gets more, spread over the floors, up to 8.
//
// The same codes always give the same markers.
#pragma once

#include <string>
#include <vector>

// `codes` holds columns x rows cell codes column after column: the code of
// (column, row) is codes[column * rows + row], as cmap keeps its cells. On
// success the markers are replaced in place; on failure (no floor to stand
// on, or codes of the wrong size) `codes` is unchanged and `why` says why.
bool place_waypoints(int columns, int rows, std::vector<int>& codes, std::string& why);

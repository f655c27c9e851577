// The parts of a map cell's code, and what its waypoint marker makes a bot
// do: the one place that knows the layout
//   code = wall picture x 10000 + back picture x 100 + marker.
// A code above 9999 has a wall and is solid; a cell is 40 units a side.
#pragma once

namespace cell_code {

const int cell_size = 40;
const int last_free = 9999;

inline bool solid(int code) { return code > last_free; }
inline int wall_picture(int code) { return code / 10000; }
inline int back_picture(int code) { return code / 100 % 100; }
inline int marker(int code) { return code % 100; }

}  // namespace cell_code

// Waypoint markers 1..16. Kinds 1..8 are spawn points too; kind k + 8
// steers a bot as kind k does without being one.
namespace waypoint {

const int kinds = 16;
const int last_spawn = 8;
const int spawn = 1;  // a spawn point and nothing more

// What a bot does when its upper body enters the cell of each kind.
enum class action {
    keep,                // keeps its heading
    jump,                // kind 2
    right,               // kind 3
    left,                // kind 4
    jump_or_keep_left,   // kind 5: jumps or keeps walking, left if it stood
    keep_either_side,    // kind 6: keeps walking, picking a side if it stood
    jump_or_keep_right,  // kind 7
    jump_or_either_side, // kind 8
};

inline bool spawn_point(int kind) { return kind >= 1 && kind <= last_spawn; }

// The kind that steers as `kind` does without making a spawn point.
inline int steering_only(int kind) { return kind + last_spawn; }

inline action action_of(int kind)
{
    switch (kind > last_spawn && kind <= kinds ? kind - last_spawn : kind) {
    case 2: return action::jump;
    case 3: return action::right;
    case 4: return action::left;
    case 5: return action::jump_or_keep_left;
    case 6: return action::keep_either_side;
    case 7: return action::jump_or_keep_right;
    case 8: return action::jump_or_either_side;
    default: return action::keep;
    }
}

}  // namespace waypoint

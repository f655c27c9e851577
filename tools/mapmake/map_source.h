// The readable source of a map (maps/*.txt) and the map file it becomes.
//
// A source is a header of keyword lines, then two grids of one character per
// cell, the same size:
//
//   # a comment (only in the header)
//   sky 0.10 0.12 0.30  0.60 0.35 0.20    top red green blue, bottom red green blue
//   wall # wall_brick.png                 a wall picture and its character
//   back a back_pipes.png                 a back picture and its character
//   layout                                the grid of walls, air and markers follows
//   backs                                 the grid of back pictures follows
//
// In the layout '.' is air, a character declared by "wall" is a wall, and
// these stand for waypoint markers (air cells a bot reads on entering):
//
//   1..8  spawn point, also a waypoint of that kind (6: walk on, pick a side)
//   ^     10 jump in place            /   13 jump, or walk on (right if standing)
//   >     11 walk right               ~   14 walk on (pick a side if standing)
//   <     12 walk left                \   15 jump, or walk on (left if standing)
//   ?     16 jump a third of the time, else walk on (pick a side if standing)
//
// In the back layout '.' is no picture (the sky shows) and a character
// declared by "back" is that picture. Pictures are numbered in the order
// their lines come, from 1, per layer.
#pragma once

#include <istream>
#include <string>
#include <vector>

struct map_source {
    int columns = 0;
    int rows = 0;
    float sky[6] = {};  // top r, g, b, bottom r, g, b
    std::vector<std::string> back_pictures;
    std::vector<std::string> wall_pictures;
    std::vector<int> codes;  // wall x 10000 + back x 100 + marker, row after row

    int code(int column, int row) const { return codes[static_cast<size_t>(row * columns + column)]; }
};

// Reads a source. False with a message naming the line when it is malformed.
bool read_map_source(std::istream& in, map_source& out, std::string& error);

// The map file text, laid out exactly as the map editor writes it.
std::string map_file_text(const map_source& source);

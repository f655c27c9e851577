// Where fighters can go on a map: every cell that the body of a fighter
// entering at any spawn point can ever overlap, walking, falling and jumping
// by the fighters' own movement (fighter_motion.h) through a copy of the
// map's walls. The editor shades the cells left out, so a map maker sees
// unreachable floors before playing.
#pragma once

#include <functional>
#include <unordered_set>
#include <vector>

#include "fighters/fighter_motion.h"

class reach_map {
public:
    // `code(column, row)` gives a cell's code; the grid is columns x rows.
    using cell_code = std::function<int(int column, int row)>;

    reach_map(int columns, int rows, const cell_code& code);

    bool reached(int column, int row) const;
    // The standing places found (a fighter's top-left corner), for tests.
    int standing_places() const { return static_cast<int>(places.size()); }

    // The headings a waypoint of `kind` can give a bot, as bits.
    static constexpr int jump_heading = 1, right_heading = 2, left_heading = 4;
    static int headings(int kind);

    // Where a fighter standing with its top-left corner at (x, y) stands
    // next: it jumps at once when `jump`, and walks `dir` (-1, 0 or 1) from
    // the tick its upper body (y + 20) is above `turn_y`, until it leaves the
    // ground and stands again. False when it never leaves the ground, falls
    // out of the map or never lands; (x, y) is then unchanged. `entered`,
    // when given, gets the cells its upper body enters on the way, as
    // column x rows + row.
    bool land(float& x, float& y, bool jump, int dir, float turn_y, std::vector<int>* entered = nullptr) const;

private:
    using body = fighter_motion::body;
    struct place {
        float x, y;
    };

    bool solid(float px, float py) const;
    // The copy of the walls, asked as the fighters' movement asks the map.
    auto walls_solid() const
    {
        return [this](float px, float py) { return solid(px, py); };
    }
    bool down(const body& b) const;
    // One tick of movement; `tick` also marks the cells the box overlaps.
    void move(body& b) const;
    void tick(body& b);
    void mark(const body& b);
    // Ticks with the walking intent `dir` held until the body stands; false if
    // it fell out of the map instead.
    bool settle(body& b, int dir);
    void visit(const body& b);

    int columns, rows;
    std::vector<char> walls;      // solid cells, column after column
    std::vector<bool> cells;      // reached, column after column
    std::unordered_set<long long> seen;  // standing places already queued, by key
    std::vector<place> places;
};

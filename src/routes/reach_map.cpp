#include "routes/reach_map.h"

#include <algorithm>
#include <cmath>

#include "fighters/fighter_motion.h"
#include "map/cell_code.h"

namespace {

using namespace fighter_motion;

// Bots read their markers at the upper body, (x + 20, y + 20).
const float marker_probe = 20;
const int cell_size = cell_code::cell_size;

// Standing places are kept a walk of this many ticks apart.
const int walk_ticks = 4;
const float place_spacing = walk_ticks * walk_speed;

// A fall or a jump lands long before this; a body caught for longer is given up.
const int longest_flight = 4000;

}  // namespace

reach_map::reach_map(int columns_, int rows_, const cell_code& code_)
    : columns(std::max(0, columns_)), rows(std::max(0, rows_)),
      walls(static_cast<std::size_t>(columns * rows), 0),
      cells(static_cast<std::size_t>(columns * rows), false)
{
    for (int column = 0; column < columns; column++)
        for (int row = 0; row < rows; row++)
            walls[static_cast<std::size_t>(column * rows + row)] = ::cell_code::solid(code_(column, row));

    // Fighters enter at the corners of the spawn cells (markers 1..8) and fall.
    for (int row = 0; row < rows; row++)
        for (int column = 0; column < columns; column++) {
            if (!waypoint::spawn_point(::cell_code::marker(code_(column, row))))
                continue;
            body entering{static_cast<float>(column * cell_size), static_cast<float>(row * cell_size), 0, 0};
            mark(entering);
            if (settle(entering, 0))
                visit(entering);
        }

    // From every standing place: a step either way, walking on or letting go
    // when it walks off an edge, and a jump straight up or held either way.
    for (std::size_t next = 0; next < places.size(); next++) {
        const place from = places[next];
        for (int dir : {-1, 1}) {
            body b{from.x, from.y, 0, 0};
            bool airborne = false;
            for (int walked = 0; walked < walk_ticks && !airborne; walked++) {
                const float before = b.x;
                b.vx = dir * walk_speed;
                tick(b);
                airborne = !(down(b) && b.vy == 0);
                if (b.x == before)
                    break;  // a wall
            }
            if (!airborne) {
                visit(b);
                continue;
            }
            for (int held : {dir, 0}) {
                body falling = b;
                if (settle(falling, held))
                    visit(falling);
            }
        }
        for (int dir : {-1, 0, 1}) {
            body b{from.x, from.y, 0, jump_speed};
            if (settle(b, dir))
                visit(b);
        }
    }
}

bool reach_map::reached(int column, int row) const
{
    if (column < 0 || row < 0 || column >= columns || row >= rows)
        return false;
    return cells[static_cast<std::size_t>(column * rows + row)];
}

int reach_map::headings(int kind)
{
    switch (waypoint::action_of(kind)) {
    case waypoint::action::jump: return jump_heading;
    case waypoint::action::right: return right_heading;
    case waypoint::action::left: return left_heading;
    case waypoint::action::jump_or_keep_left:
    case waypoint::action::jump_or_keep_right:
    case waypoint::action::jump_or_either_side: return jump_heading | right_heading | left_heading;
    case waypoint::action::keep_either_side: return right_heading | left_heading;
    case waypoint::action::keep: break;
    }
    return 0;
}

// As the map answers the fighters: truncated toward zero, free outside.
bool reach_map::solid(float px, float py) const
{
    const int x = static_cast<int>(px), y = static_cast<int>(py);
    if (x < 0 || y < 0 || x >= columns * cell_size || y >= rows * cell_size)
        return false;
    return walls[static_cast<std::size_t>(x / cell_size * rows + y / cell_size)];
}

bool reach_map::down(const body& b) const
{
    return on_floor(b, walls_solid());
}

void reach_map::tick(body& b)
{
    move(b);
    mark(b);
}

void reach_map::move(body& b) const
{
    step(b, 1, walls_solid());
}

void reach_map::mark(const body& b)
{
    const int first_column = static_cast<int>(std::floor(b.x / cell_size));
    const int last_column_hit = static_cast<int>(std::floor((b.x + last_column) / cell_size));
    const int first_row = static_cast<int>(std::floor(b.y / cell_size));
    const int last_row_hit = static_cast<int>(std::floor((b.y + last_row) / cell_size));
    for (int column = std::max(0, first_column); column <= std::min(columns - 1, last_column_hit); column++)
        for (int row = std::max(0, first_row); row <= std::min(rows - 1, last_row_hit); row++)
            cells[static_cast<std::size_t>(column * rows + row)] = true;
}

bool reach_map::settle(body& b, int dir)
{
    for (int ticks = 0; ticks < longest_flight; ticks++) {
        b.vx = dir * walk_speed;
        tick(b);
        if (b.y >= rows * cell_size)
            return false;  // out of the map: dead
        if (b.vy == 0 && down(b))
            return true;
    }
    return false;
}

bool reach_map::land(float& x, float& y, bool jump, int dir, float turn_y, std::vector<int>* entered) const
{
    body b{x, y, 0, jump ? jump_speed : 0};
    bool left_ground = jump;
    // A walk that has not left the ground within this many ticks met a wall.
    const int longest_walk = 100;
    for (int ticks = 0; ticks < longest_flight; ticks++) {
        const bool turned = b.y + marker_probe < turn_y;
        b.vx = turned ? dir * walk_speed : 0;
        move(b);
        if (b.y >= rows * cell_size)
            return false;  // out of the map: dead
        if (entered) {
            const int column = static_cast<int>(b.x + marker_probe) / cell_size;
            const int row = static_cast<int>(b.y + marker_probe) / cell_size;
            const int cell = column * rows + row;
            if (b.x + marker_probe >= 0 && b.y + marker_probe >= 0 && column < columns && row < rows &&
                (entered->empty() || entered->back() != cell))
                entered->push_back(cell);
        }
        const bool standing = b.vy == 0 && down(b);
        if (!standing)
            left_ground = true;
        else if (left_ground) {
            x = b.x;
            y = b.y;
            return true;
        } else if (ticks > longest_walk)
            return false;
    }
    return false;
}

// Places closer than a walk of a few ticks count as one.
void reach_map::visit(const body& b)
{
    const long long key = static_cast<long long>(std::lround(b.x / place_spacing)) * 1000003LL +
                          static_cast<long long>(std::lround(b.y));
    if (seen.insert(key).second)
        places.push_back({b.x, b.y});
}

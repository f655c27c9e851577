#include "routes/waypoint_placer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <utility>

#include "map/cell_code.h"
#include "routes/reach_map.h"

namespace {

const int cell_size = cell_code::cell_size;
const int max_spawns = 32;
const int wanted_spawns = 8;

// Placed waypoints other than spawn points steer like kinds 2..8 without
// making spawn points.
const int jump_kind = waypoint::steering_only(2);
const int right_kind = waypoint::steering_only(3);
const int left_kind = waypoint::steering_only(4);
const int jump_or_keep_left = waypoint::steering_only(5);
const int either_side = waypoint::steering_only(6);
const int jump_or_keep_right = waypoint::steering_only(7);
const int now_and_then = waypoint::steering_only(8);
const int spawn_kind = waypoint::spawn;
const int either_side_spawn = 6;  // a spawn point that picks a side

// A marker that sometimes jumps and picks a side, every this many cells.
const int wander_spacing = 8;
// The direction marker of a jump is tried one row above the floor row
// first, then higher, up to this many: the lower, the sooner the jump turns
// sideways and the higher it passes over the far edge.
const int highest_turn = 4;

const float anywhere = 1e9f;  // a walking intent held from the start

// A floor: the cells of one row where a fighter's upper body can be while
// it stands, columns first..last.
struct run {
    int row, first, last;
    int length() const { return last - first + 1; }
};

// Where a bot at one end of a floor can get to: a run index, or -1.
struct way_out {
    bool wall = false;
    int climb = -1;      // a blocked walking bot jumps and lands here
    int drop = -1;       // walking off the edge lands here
    int jump = -1;       // a jump across, turned at `turn_row`, lands here
    int turn_row = -1;
    std::vector<int> path;  // the cells a climb or a drop passes
};

const int not_flown = -1;
const int flown_by_jumps = -2;

// A jump in place from a floor cell that a direction marker above turns
// onto a higher floor.
struct jump_up {
    int to, column, dir, turn_row;
};

class placer {
public:
    placer(int columns_, int rows_, std::vector<int>& codes_)
        : columns(columns_), rows(rows_), codes(codes_), reach(columns_, rows_, [this](int c, int r) {
              return codes[index(c, r)];
          })
    {
    }

    bool place(std::string& why)
    {
        strip_markers();
        find_runs();
        if (runs.empty()) {
            why = "the map has no floor to stand on";
            return false;
        }
        for (std::size_t i = 0; i < runs.size(); i++)
            for (int dir : {-1, 1})
                ways[i][dir > 0] = find_way_out(static_cast<int>(i), dir);
        ups.assign(runs.size(), {});
        for (std::size_t i = 0; i < runs.size(); i++)
            find_jumps_up(static_cast<int>(i));
        judge_runs();
        flown.assign(codes.size(), not_flown);
        // Turns first, so that every jump is flown past the markers there are.
        for (bool jumps : {false, true})
            for (std::size_t i = 0; i < runs.size(); i++)
                for (int dir : {-1, 1})
                    mark_end(static_cast<int>(i), dir, ways[i][dir > 0], jumps);
        for (std::size_t i = 0; i < runs.size(); i++)
            mark_jumps_up(static_cast<int>(i));
        steer_spawns();
        add_spawns();
        for (const run& floor : runs)
            mark_wanderers(floor);
        return true;
    }

private:
    std::size_t index(int column, int row) const
    {
        return static_cast<std::size_t>(column) * static_cast<std::size_t>(rows) +
               static_cast<std::size_t>(row);
    }
    bool inside(int column, int row) const
    {
        return column >= 0 && row >= 0 && column < columns && row < rows;
    }
    bool wall(int column, int row) const
    {
        return inside(column, row) && cell_code::solid(codes[index(column, row)]);
    }
    int marker(int column, int row) const { return cell_code::marker(codes[index(column, row)]); }
    bool spawn_kind_of(int kind) const { return waypoint::spawn_point(kind); }
    // Free and without a marker: a cell a new marker may go to.
    bool open(int column, int row) const
    {
        return inside(column, row) && !wall(column, row) && marker(column, row) == 0;
    }
    void put(int column, int row, int kind)
    {
        if (open(column, row))
            codes[index(column, row)] += kind;
    }
    // A fighter standing on the cell below the two it fills.
    bool stand(int column, int row) const
    {
        return inside(column, row) && row + 2 < rows && !wall(column, row) && !wall(column, row + 1) &&
               wall(column, row + 2);
    }

    // Keeps the first 32 spawn points in reading order; clears the rest.
    void strip_markers()
    {
        int spawns = 0;
        for (int row = 0; row < rows; row++)
            for (int column = 0; column < columns; column++) {
                const int kind = marker(column, row);
                const bool kept = spawn_kind_of(kind) && spawns < max_spawns;
                if (kept)
                    spawns++;
                else
                    codes[index(column, row)] -= kind;
            }
    }

    void find_runs()
    {
        run_of.assign(codes.size(), -1);
        for (int row = 0; row < rows; row++)
            for (int column = 0; column < columns; column++) {
                if (!stand(column, row))
                    continue;
                if (column > 0 && stand(column - 1, row))
                    runs.back().last = column;
                else
                    runs.push_back({row, column, column});
                run_of[index(column, row)] = static_cast<int>(runs.size()) - 1;
            }
        ways.assign(runs.size(), {});
    }

    int run_at(int column, int row) const
    {
        return inside(column, row) ? run_of[index(column, row)] : -1;
    }

    // The floor under a fighter standing at (x, y): its upper body's column
    // first, then either corner's.
    int run_under(float x, float y) const
    {
        const int row = static_cast<int>(y) / cell_size;
        for (float dx : {20.0f, 0.0f, 38.0f}) {
            const int found = run_at(static_cast<int>(x + dx) / cell_size, row);
            if (found >= 0)
                return found;
        }
        return -1;
    }

    int landing(float x, float y, bool jump, int dir, float turn_y, std::vector<int>* path = nullptr) const
    {
        return reach.land(x, y, jump, dir, turn_y, path) ? run_under(x, y) : -1;
    }

    way_out find_way_out(int i, int dir) const
    {
        const run& floor = runs[static_cast<std::size_t>(i)];
        const int row = floor.row;
        const int end = dir > 0 ? floor.last : floor.first;
        const int next = end + dir;
        const float y = static_cast<float>(row * cell_size);
        way_out way;
        way.wall = wall(next, row) || wall(next, row + 1);
        if (way.wall) {
            // Pressed against the wall, as a blocked walking bot jumps.
            const float x = static_cast<float>(dir > 0 ? next * cell_size - 39 : end * cell_size);
            const int top = landing(x, y, true, dir, anywhere, &way.path);
            way.climb = top == i ? -1 : top;
            return way;
        }
        // Where the upper body enters the cell past the edge, still standing.
        const float x = static_cast<float>(dir > 0 ? next * cell_size - 20 : end * cell_size - 21);
        way.drop = landing(x, y, false, dir, anywhere, &way.path);
        for (int turn_row = row - highest_turn; turn_row < row; turn_row++) {
            bool room = turn_row >= 0;
            for (int r = turn_row; room && r < row; r++)
                room = !wall(next, r);
            if (!room)
                continue;
            const int across = landing(x, y, true, dir, static_cast<float>((turn_row + 1) * cell_size));
            if (across >= 0 && across != i && across != way.drop) {
                way.jump = across;
                way.turn_row = turn_row;
                break;
            }
        }
        return way;
    }

    // Every way out of run i, as run indices.
    std::vector<int> targets(std::size_t i) const
    {
        std::vector<int> out;
        for (const way_out& way : ways[i])
            for (int t : {way.climb, way.drop, way.jump})
                if (t >= 0)
                    out.push_back(t);
        for (const jump_up& up : ups[i])
            out.push_back(up.to);
        return out;
    }

    // Runs reached from `from` along the ways out (or against them).
    std::vector<bool> spread(std::vector<int> from, bool backwards) const
    {
        std::vector<std::vector<int>> edges(runs.size());
        for (std::size_t i = 0; i < runs.size(); i++)
            for (int t : targets(i)) {
                if (backwards)
                    edges[static_cast<std::size_t>(t)].push_back(static_cast<int>(i));
                else
                    edges[i].push_back(t);
            }
        std::vector<bool> seen(runs.size(), false);
        for (int start : from)
            seen[static_cast<std::size_t>(start)] = true;
        while (!from.empty()) {
            const int at = from.back();
            from.pop_back();
            for (int t : edges[static_cast<std::size_t>(at)])
                if (!seen[static_cast<std::size_t>(t)]) {
                    seen[static_cast<std::size_t>(t)] = true;
                    from.push_back(t);
                }
        }
        return seen;
    }

    // The run a fighter entering at spawn cell (column, row) stands on.
    int spawn_run(int column, int row) const
    {
        if (stand(column, row))
            return run_at(column, row);
        return landing(static_cast<float>(column * cell_size), static_cast<float>(row * cell_size), false,
                       0, anywhere);
    }

    // Groups of runs that all lead to one another (Kosaraju's two passes).
    void find_groups()
    {
        const std::size_t count = runs.size();
        std::vector<std::vector<int>> forth(count), back(count);
        for (std::size_t i = 0; i < count; i++)
            for (int t : targets(i)) {
                forth[i].push_back(t);
                back[static_cast<std::size_t>(t)].push_back(static_cast<int>(i));
            }
        std::vector<int> finished;
        std::vector<bool> seen(count, false);
        for (std::size_t root = 0; root < count; root++) {
            if (seen[root])
                continue;
            seen[root] = true;
            std::vector<std::pair<int, std::size_t>> stack{{static_cast<int>(root), 0}};
            while (!stack.empty()) {
                auto& top = stack.back();
                const auto& next = forth[static_cast<std::size_t>(top.first)];
                if (top.second < next.size()) {
                    const int t = next[top.second++];
                    if (!seen[static_cast<std::size_t>(t)]) {
                        seen[static_cast<std::size_t>(t)] = true;
                        stack.push_back({t, 0});
                    }
                } else {
                    finished.push_back(top.first);
                    stack.pop_back();
                }
            }
        }
        group.assign(count, -1);
        int groups = 0;
        for (auto it = finished.rbegin(); it != finished.rend(); ++it) {
            if (group[static_cast<std::size_t>(*it)] >= 0)
                continue;
            std::vector<int> todo{*it};
            group[static_cast<std::size_t>(*it)] = groups;
            while (!todo.empty()) {
                const int at = todo.back();
                todo.pop_back();
                for (int t : back[static_cast<std::size_t>(at)])
                    if (group[static_cast<std::size_t>(t)] < 0) {
                        group[static_cast<std::size_t>(t)] = groups;
                        todo.push_back(t);
                    }
            }
            groups++;
        }
    }

    // The arena is the group of floors that holds the most spawn points
    // (then the most cells); a floor that cannot lead back to it is a pit.
    void judge_runs()
    {
        find_groups();
        std::vector<long long> weight(runs.size(), 0);
        const long long per_spawn = static_cast<long long>(columns) * rows + 1;
        for (std::size_t i = 0; i < runs.size(); i++)
            weight[static_cast<std::size_t>(group[i])] += runs[i].length();
        for (int row = 0; row < rows; row++)
            for (int column = 0; column < columns; column++)
                if (spawn_kind_of(marker(column, row))) {
                    const int start = spawn_run(column, row);
                    if (start >= 0)
                        weight[static_cast<std::size_t>(group[static_cast<std::size_t>(start)])] += per_spawn;
                }
        int arena_group = 0;
        for (std::size_t g = 0; g < weight.size(); g++)
            if (weight[g] > weight[static_cast<std::size_t>(arena_group)])
                arena_group = static_cast<int>(g);
        std::vector<int> members;
        arena.assign(runs.size(), false);
        for (std::size_t i = 0; i < runs.size(); i++)
            if (group[i] == arena_group) {
                arena[i] = true;
                members.push_back(static_cast<int>(i));
            }
        leads_back = spread(members, true);
    }

    // Whether moving from run `from` to run `to` keeps a bot in play: the
    // floor it gets to leads back to the arena, or back to where it was.
    bool good(int from, int to) const
    {
        return to >= 0 && (leads_back[static_cast<std::size_t>(to)] ||
                           group[static_cast<std::size_t>(to)] == group[static_cast<std::size_t>(from)]);
    }

    // Turns at the ends of floors that lead nowhere good (the first pass),
    // and the markers of jumps across gaps (the second).
    void mark_end(int i, int dir, const way_out& way, bool jumps)
    {
        const run& floor = runs[static_cast<std::size_t>(i)];
        const int end = dir > 0 ? floor.last : floor.first;
        const int back_kind = dir > 0 ? left_kind : right_kind;
        if (way.wall) {
            // A wall a jump clears needs nothing: a blocked bot jumps.
            if (!jumps && !good(i, way.climb))
                put(end, floor.row, back_kind);
            else if (!jumps)
                fly_over(way.path);
            return;
        }
        const bool drop = good(i, way.drop), jump = good(i, way.jump);
        if (!jumps) {
            if (!drop && !jump)
                put(end, floor.row, back_kind);
            else if (drop)
                fly_over(way.path, 1, i);  // past the edge cell, where a jump may start
            return;
        }
        if (jump && !mark_jump(i, dir, drop) && !drop)
            put(end, floor.row, back_kind);
    }

    // No later marker may turn a bot on its way along `path`.
    // `by` names the run a drop leaves, or is flown_by_jumps.
    void fly_over(const std::vector<int>& path, std::size_t from = 0, int by = flown_by_jumps)
    {
        for (std::size_t k = from; k < path.size(); k++) {
            int& cell = flown[static_cast<std::size_t>(path[k])];
            cell = cell == not_flown || cell == by ? by : flown_by_jumps;
        }
    }
    bool in_flight(int column, int row) const { return flown[index(column, row)] != not_flown; }

    // Whether a floor lies within a jump's height above cell (column, row)
    // and a few cells either way: only there can a jump up land.
    bool floor_above(int column, int row) const
    {
        const int reach_cells = 6;
        for (int r = std::max(0, row - highest_turn - 1); r < row; r++)
            for (int c = std::max(0, column - reach_cells); c <= std::min(columns - 1, column + reach_cells); c++)
                if (run_at(c, r) >= 0)
                    return true;
        return false;
    }

    // The floor that a bot jumping in place at (column, row) and turned
    // `dir` at `turn_row` lands on, whichever side it walked in from; -1
    // when the two differ or it does not land.
    int land_up(int column, int row, int dir, int turn_row, std::vector<int>* path) const
    {
        int to = -1;
        for (int side : {0, 1}) {
            float x = static_cast<float>(column * cell_size + (side ? 19 : -20));
            float y = static_cast<float>(row * cell_size);
            if (!reach.land(x, y, true, dir, static_cast<float>((turn_row + 1) * cell_size), path))
                return -1;
            const int found = run_under(x, y);
            if (found < 0 || (to >= 0 && found != to))
                return -1;
            to = found;
        }
        return to;
    }

    // Every jump up from run i onto a higher floor, inner cells left to right.
    void find_jumps_up(int i)
    {
        const run floor = runs[static_cast<std::size_t>(i)];
        for (int column = floor.first + 1; column < floor.last; column++) {
            if (!floor_above(column, floor.row))
                continue;
            for (int dir : {-1, 1})
                for (int turn_row = floor.row - 1; turn_row >= std::max(0, floor.row - highest_turn); turn_row--) {
                    if (wall(column, turn_row))
                        break;
                    const int to = land_up(column, floor.row, dir, turn_row, nullptr);
                    if (to >= 0 && runs[static_cast<std::size_t>(to)].row < floor.row && !led_to(i, to))
                        ups[static_cast<std::size_t>(i)].push_back({to, column, dir, turn_row});
                }
        }
    }

    // Whether a climb, a drop or a gap jump already leads from run i to `to`.
    bool led_to(int i, int to) const
    {
        for (const way_out& way : ways[static_cast<std::size_t>(i)])
            if (way.climb == to || way.drop == to || way.jump == to)
                return true;
        return false;
    }

    // One jump up from run i to each floor above it reaches: the first that
    // crosses no marker and puts none in another's way.
    void mark_jumps_up(int i)
    {
        std::vector<int> reached;
        for (const jump_up& up : ups[static_cast<std::size_t>(i)])
            if (std::find(reached.begin(), reached.end(), up.to) == reached.end() && mark_jump_up(i, up))
                reached.push_back(up.to);
    }

    // A jump up to `to` may put a marker where only drops from `to` pass: a
    // bot that it turns back falls short, onto the floor it would reach.
    bool may_jump_up(int column, int row, int to) const
    {
        const int by = flown[index(column, row)];
        return by == not_flown || by == to;
    }

    // Half the bots walking by jump and fly up; the rest walk on.
    bool mark_jump_up(int i, const jump_up& up)
    {
        const int row = runs[static_cast<std::size_t>(i)].row;
        if (!good(i, up.to) || !open(up.column, row) || !open(up.column, up.turn_row) ||
            !may_jump_up(up.column, row, up.to) || !may_jump_up(up.column, up.turn_row, up.to))
            return false;
        std::vector<int> path;
        if (land_up(up.column, row, up.dir, up.turn_row, &path) != up.to)
            return false;
        for (int cell : path)
            if (!harmless(cell / rows, cell % rows, up.dir))
                return false;
        put(up.column, row, jump_or_keep_left);
        put(up.column, up.turn_row, up.dir > 0 ? right_kind : left_kind);
        fly_over(path);
        return true;
    }

    // Whether a bot flying `dir` across cell (column, row) keeps its way.
    bool harmless(int column, int row, int dir) const
    {
        const int kind = marker(column, row);
        const waypoint::action way = dir > 0 ? waypoint::action::right : waypoint::action::left;
        const waypoint::action action = waypoint::action_of(kind);
        return kind >= 0 && kind <= waypoint::kinds &&
               (action == waypoint::action::keep || action == waypoint::action::keep_either_side || action == way);
    }

    // A jump marker over the gap and a direction marker above it, at the
    // highest row whose flight lands on a good floor and neither crosses a
    // marker that would turn it nor puts a marker in another jump's way.
    bool mark_jump(int i, int dir, bool drop)
    {
        const run& floor = runs[static_cast<std::size_t>(i)];
        const int row = floor.row;
        const int end = dir > 0 ? floor.last : floor.first;
        const int next = end + dir;
        const float x0 = static_cast<float>(dir > 0 ? next * cell_size - 20 : end * cell_size - 21);
        const float y0 = static_cast<float>(row * cell_size);
        if (!open(next, row) || in_flight(next, row))
            return false;
        for (int turn_row = row - 1; turn_row >= row - highest_turn; turn_row--) {
            bool room = turn_row >= 0;
            for (int r = turn_row; room && r < row; r++)
                room = !wall(next, r);
            if (!room || !open(next, turn_row) || in_flight(next, turn_row))
                continue;
            float x = x0, y = y0;
            std::vector<int> path;
            if (!reach.land(x, y, true, dir, static_cast<float>((turn_row + 1) * cell_size), &path))
                continue;
            const int across = run_under(x, y);
            if (across == i || !good(i, across))
                continue;
            bool clear = true;
            for (int cell : path)
                clear = clear && harmless(cell / rows, cell % rows, dir);
            if (!clear)
                continue;
            put(next, row, drop ? (dir > 0 ? jump_or_keep_right : jump_or_keep_left) : jump_kind);
            put(next, turn_row, dir > 0 ? right_kind : left_kind);
            fly_over(path);
            return true;
        }
        return false;
    }

    // A bot entering at a spawn point of kind 1 stands until a marker sets
    // its way: one on the floor itself becomes a spawn point that picks a
    // side (kind 6); under one in the air, the floor it falls on picks one.
    void steer_spawns()
    {
        for (int row = 0; row < rows; row++)
            for (int column = 0; column < columns; column++) {
                if (marker(column, row) != spawn_kind)
                    continue;
                if (stand(column, row)) {
                    codes[index(column, row)] += either_side_spawn - spawn_kind;
                    continue;
                }
                float x = static_cast<float>(column * cell_size), y = static_cast<float>(row * cell_size);
                if (reach.land(x, y, false, 0, anywhere))
                    put(static_cast<int>(x + 20) / cell_size, static_cast<int>(y + 20) / cell_size, either_side);
            }
    }

    // Up to 8 spawn points, each as far as it can be from those there are,
    // over the arena's floors. A fighter enters one cell above the floor and
    // falls onto a marker that sends it to a random side.
    void add_spawns()
    {
        std::vector<std::pair<int, int>> chosen;
        for (int row = 0; row < rows; row++)
            for (int column = 0; column < columns; column++)
                if (spawn_kind_of(marker(column, row)))
                    chosen.push_back({column, row});
        std::vector<std::pair<int, int>> candidates;
        for (std::size_t i = 0; i < runs.size(); i++) {
            const run& floor = runs[i];
            if (!arena[i])
                continue;
            for (int column = floor.first + 1; column < floor.last; column++)
                if (open(column, floor.row) && open(column, floor.row - 1) &&
                    !in_flight(column, floor.row - 1) && !in_flight(column, floor.row))
                    candidates.push_back({column, floor.row - 1});
        }
        while (static_cast<int>(chosen.size()) < wanted_spawns && !candidates.empty()) {
            std::size_t best = 0;
            long long best_distance = -1;
            for (std::size_t k = 0; k < candidates.size(); k++) {
                const long long distance = distance_to(candidates[k], chosen);
                if (distance > best_distance) {
                    best = k;
                    best_distance = distance;
                }
            }
            const std::pair<int, int> spot = candidates[best];
            candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(best));
            if (!open(spot.first, spot.second) || !open(spot.first, spot.second + 1))
                continue;
            put(spot.first, spot.second, spawn_kind);
            put(spot.first, spot.second + 1, either_side);
            chosen.push_back(spot);
        }
    }

    // Squared cells to the nearest chosen spot; with none yet, nearness to
    // the map's middle counts instead.
    long long distance_to(std::pair<int, int> spot, const std::vector<std::pair<int, int>>& chosen) const
    {
        auto squared = [](int dx, int dy) { return static_cast<long long>(dx) * dx + static_cast<long long>(dy) * dy; };
        if (chosen.empty())
            return LLONG_MAX / 2 - squared(spot.first - columns / 2, spot.second - rows / 2);
        long long nearest = LLONG_MAX;
        for (const auto& other : chosen)
            nearest = std::min(nearest, squared(spot.first - other.first, spot.second - other.second));
        return nearest;
    }

    // Now and then a bot on a long floor jumps and then walks to a random
    // side, so that bots do not all follow one loop.
    void mark_wanderers(const run& floor)
    {
        const int row = floor.row;
        for (int column = floor.first + wander_spacing; column + 2 <= floor.last; column += wander_spacing) {
            const bool room = row > 0 && !wall(column - 1, row - 1) && !wall(column, row - 1) &&
                              !wall(column + 1, row - 1);
            if (room && marker(column, row - 1) == 0 && !in_flight(column, row))
                put(column, row, now_and_then);
        }
    }

    int columns, rows;
    std::vector<int>& codes;
    reach_map reach;
    std::vector<run> runs;
    std::vector<int> run_of;          // run index of each stand cell, column after column
    std::vector<std::array<way_out, 2>> ways;  // [run][0 left, 1 right]
    std::vector<std::vector<jump_up>> ups;  // [run]: the higher floors its jumps reach
    std::vector<int> group;           // runs in one group all lead to one another
    std::vector<bool> leads_back;     // the run can get back to the arena
    std::vector<bool> arena;
    std::vector<int> flown;           // per cell: not_flown, the run a drop through it leaves, or flown_by_jumps
};

}  // namespace

bool place_waypoints(int columns, int rows, std::vector<int>& codes, std::string& why)
{
    if (columns <= 0 || rows <= 0 ||
        codes.size() != static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows)) {
        why = "the cells do not fill a grid of " + std::to_string(columns) + " x " + std::to_string(rows);
        return false;
    }
    std::vector<int> placed = codes;
    placer work(columns, rows, placed);
    if (!work.place(why))
        return false;
    codes = placed;
    return true;
}

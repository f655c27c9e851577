#include "codec/input_runs.h"

#include <limits>

#include "match/match_limits.h"

bool run_change::operator==(const run_change& other) const
{
    return changed == other.changed && keys == other.keys && buttons == other.buttons &&
           move_x == other.move_x && move_y == other.move_y && ticks == other.ticks;
}

run_change change_from(const control_reading& before, const input_run& run)
{
    const control_reading& now = run.reading;
    run_change change;
    change.ticks = run.ticks;
    if (now.keys != before.keys) {
        change.changed |= run_flags::keys_changed;
        change.keys = now.keys;
    }
    if (now.buttons != before.buttons) {
        change.changed |= run_flags::buttons_changed;
        change.buttons = now.buttons;
    }
    if (now.pointer_x != before.pointer_x) {
        change.changed |= run_flags::pointer_x_moved;
        change.move_x = std::int64_t(now.pointer_x) - before.pointer_x;
    }
    if (now.pointer_y != before.pointer_y) {
        change.changed |= run_flags::pointer_y_moved;
        change.move_y = std::int64_t(now.pointer_y) - before.pointer_y;
    }
    return change;
}

void write_run(byte_writer& out, const run_change& change)
{
    std::uint8_t flags = change.changed & run_flags::changes;
    const bool length_in_flags = change.ticks >= 1 && change.ticks <= run_flags::longest_in_flags;
    if (length_in_flags)
        flags |= static_cast<std::uint8_t>(change.ticks << run_flags::length_shift);
    out.byte(flags);
    if (!length_in_flags)
        out.varint(change.ticks);
    if (flags & run_flags::keys_changed)
        out.varint(change.keys);
    if (flags & run_flags::buttons_changed)
        out.varint(change.buttons);
    if (flags & run_flags::pointer_x_moved)
        out.zigzag(change.move_x);
    if (flags & run_flags::pointer_y_moved)
        out.zigzag(change.move_y);
}

namespace {

// The move is held to twice the reach first, so that the sum cannot overflow.
bool move_pointer(const char* axis, std::int32_t& coordinate, std::int64_t move, std::string& reason)
{
    const std::int64_t reach = max_pointer_reach;
    if (move < -2 * reach || move > 2 * reach || coordinate + move < -reach || coordinate + move > reach) {
        reason = std::string("the pointer's ") + axis + " goes beyond " + std::to_string(reach) + " pixels";
        return false;
    }
    coordinate = static_cast<std::int32_t>(coordinate + move);
    return true;
}

}  // namespace

bool follow_run(const control_reading& before, const run_change& change, input_run& after, std::string& reason)
{
    after.ticks = change.ticks;
    control_reading& reading = after.reading;
    reading = before;
    if (change.changed & run_flags::keys_changed)
        reading.keys = change.keys;
    if (change.changed & run_flags::buttons_changed)
        reading.buttons = change.buttons;
    return (!(change.changed & run_flags::pointer_x_moved) ||
            move_pointer("x", reading.pointer_x, change.move_x, reason)) &&
           (!(change.changed & run_flags::pointer_y_moved) ||
            move_pointer("y", reading.pointer_y, change.move_y, reason));
}

void add_reading(std::vector<input_run>& runs, const control_reading& reading)
{
    if (!runs.empty() && runs.back().reading == reading &&
        runs.back().ticks < std::numeric_limits<std::uint32_t>::max())
        runs.back().ticks++;
    else
        runs.push_back({reading, 1});
}

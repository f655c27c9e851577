// A slot's readings packed into an inputs message's entry and back. The
// entry's bytes are in net_messages.cpp and net_messages_read.cpp.
#include "net/net_messages.h"

std::uint32_t net_slot_inputs::ticks() const
{
    std::uint32_t sum = 0;
    for (const run_change& run : runs)
        sum += run.ticks;
    return sum;
}

bool net_slot_inputs::operator==(const net_slot_inputs& other) const
{
    const bool same_scale =
        scale_told == other.scale_told && (!scale_told || (scale_x == other.scale_x && scale_y == other.scale_y));
    return slot == other.slot && first_tick == other.first_tick && same_scale && runs == other.runs;
}

std::size_t pack_readings(net_slot_inputs& entry, const control_reading& before, const control_reading* readings,
                          std::size_t count)
{
    entry.runs.clear();
    if (count == 0)
        return 0;
    const control_reading& first = readings[0];
    entry.scale_told = first.scale_x != before.scale_x || first.scale_y != before.scale_y;
    entry.scale_x = first.scale_x;
    entry.scale_y = first.scale_y;
    std::vector<input_run> runs;
    std::size_t taken = 0;
    for (; taken < count && taken < net_max_readings; taken++) {
        const control_reading& reading = readings[taken];
        if (reading.scale_x != first.scale_x || reading.scale_y != first.scale_y)
            break;
        add_reading(runs, reading);
    }
    control_reading previous = before;
    for (const input_run& run : runs) {
        entry.runs.push_back(change_from(previous, run));
        previous = run.reading;
    }
    return taken;
}

bool unpack_readings(const net_slot_inputs& entry, const control_reading& before,
                     std::vector<control_reading>& readings, std::string& reason)
{
    readings.clear();
    control_reading previous = before;
    if (entry.scale_told) {
        previous.scale_x = entry.scale_x;
        previous.scale_y = entry.scale_y;
    }
    for (const run_change& change : entry.runs) {
        input_run run;
        if (!follow_run(previous, change, run, reason))
            return false;
        readings.insert(readings.end(), run.ticks, run.reading);
        previous = run.reading;
    }
    return true;
}

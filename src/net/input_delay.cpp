#include "net/input_delay.h"

#include <algorithm>
#include <cmath>

namespace {

// Each tick of delay past the fewest stands for this much round trip.
const double trip_per_tick_ms = 50;
// The trip must fall this far below a step before the delay comes down.
const double coming_down_margin_ms = 15;
// Ticks between two changes of the delay.
const int ticks_between_changes = 50;

}  // namespace

void round_trip_meter::add(double ms)
{
    samples[count % kept] = ms;
    count++;
}

double round_trip_meter::median_ms() const
{
    if (count < enough)
        return -1;
    std::array<double, kept> sorted = samples;
    const auto filled = static_cast<std::ptrdiff_t>(std::min(count, kept));
    const auto middle = sorted.begin() + filled / 2;
    std::nth_element(sorted.begin(), middle, sorted.begin() + filled);
    return *middle;
}

std::uint32_t settled_input_delay(std::uint32_t now, double round_trip_ms)
{
    const double steps = std::floor(std::max(0.0, round_trip_ms) / trip_per_tick_ms);
    const auto wanted = static_cast<std::uint32_t>(
        std::min<double>(rollback_match::fewest_delay + steps, rollback_match::most_delay));
    if (wanted >= now)
        return wanted;
    // Down only once the trip is well below where the delay now began.
    const double now_began_ms = (now - rollback_match::fewest_delay) * trip_per_tick_ms;
    return round_trip_ms < now_began_ms - coming_down_margin_ms ? wanted : now;
}

std::uint32_t input_delay_choice::next(double round_trip_ms)
{
    since_change++;
    if (round_trip_ms < 0 || since_change < ticks_between_changes)
        return delay;
    const std::uint32_t settled = settled_input_delay(delay, round_trip_ms);
    if (settled == delay)
        return delay;
    // Down a tick at a time: each tick fewer is a reading the player loses.
    delay = settled > delay ? settled : delay - 1;
    since_change = 0;
    return delay;
}

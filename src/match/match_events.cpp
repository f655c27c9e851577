#include "match/match_events.h"

#include <algorithm>

void match_events::clear()
{
    events.clear();
    steps = 0;
}

void match_events::add(match_event::kind what, int slot, int killer, int cause)
{
    events.push_back({what, steps + 1, slot, killer, cause});
}

void match_events::death(int victim, int killer, int cause)
{
    add(match_event::kind::death, victim, killer, cause);
}

void match_events::entry(int slot)
{
    add(match_event::kind::entry, slot, -1, blow_fall);
}

void match_events::leave(int slot)
{
    add(match_event::kind::leave, slot, -1, blow_fall);
}

void match_events::go_back(std::uint32_t tick)
{
    if (tick >= steps)
        return;
    events.resize(count_by(tick));
    steps = tick;
}

std::size_t match_events::count_by(std::uint32_t tick) const
{
    const auto after = std::upper_bound(events.begin(), events.end(), tick,
                                        [](std::uint32_t at, const match_event& event) { return at < event.tick; });
    return static_cast<std::size_t>(after - events.begin());
}

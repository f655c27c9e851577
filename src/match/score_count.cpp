#include "match/score_count.h"

void score_count::clear()
{
    scores.clear();
    taken = 0;
}

fighter_score& score_count::slot_score(int slot)
{
    if (static_cast<std::size_t>(slot) >= scores.size())
        scores.resize(static_cast<std::size_t>(slot) + 1);
    return scores[static_cast<std::size_t>(slot)];
}

fighter_score score_count::of(int slot) const
{
    return slot >= 0 && static_cast<std::size_t>(slot) < scores.size() ? scores[static_cast<std::size_t>(slot)]
                                                                      : fighter_score{};
}

void score_count::read(const match_events& events, std::uint32_t tick)
{
    const std::size_t until = events.count_by(tick);
    for (; taken < until; taken++) {
        const match_event& happening = events.all()[taken];
        if (happening.slot < 0)
            continue;
        if (happening.what == match_event::kind::entry)
            slot_score(happening.slot) = fighter_score{};
        if (happening.what != match_event::kind::death)
            continue;
        slot_score(happening.slot).deaths++;
        if (happening.killer < 0)
            continue;
        fighter_score& striker = slot_score(happening.killer);
        if (happening.killer != happening.slot)
            striker.kills++;
        else if (striker.kills > 0)
            striker.kills--;
    }
}

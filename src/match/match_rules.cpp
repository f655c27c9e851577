#include "match/match_rules.h"

#include "fighters/cplayer.h"
#include "match/cgame.h"
#include "match/match_shape.h"

namespace {

// Whether `a` stands above `b` at the end: more kills, else fewer deaths.
bool ahead_of(const fighter_score& a, const fighter_score& b)
{
    if (a.kills != b.kills)
        return a.kills > b.kills;
    return a.deaths < b.deaths;
}

}  // namespace

std::uint32_t ticks_of_minutes(int minutes)
{
    return static_cast<std::uint32_t>(minutes) * ticks_a_minute;
}

match_result result_of(const match_rules& rules, std::uint32_t ticks, const std::vector<fighter_score>& fighters)
{
    match_result result;
    int best = -1;
    bool shared = false;
    for (int slot = 0; slot < static_cast<int>(fighters.size()); slot++) {
        const fighter_score& fighter = fighters[static_cast<std::size_t>(slot)];
        if (rules.score_limit > 0 && fighter.kills >= rules.score_limit)
            result.over = true;
        if (best < 0 || ahead_of(fighter, fighters[static_cast<std::size_t>(best)])) {
            best = slot;
            shared = false;
        } else if (!ahead_of(fighters[static_cast<std::size_t>(best)], fighter)) {
            shared = true;
        }
    }
    if (rules.time_limit > 0 && ticks >= ticks_of_minutes(rules.time_limit))
        result.over = true;
    if (result.over && !shared)
        result.winner = best;
    return result;
}

// The lineup fills the slots from 0 up: the humans, then the bots.
match_result match_result_now(const match_rules& rules, std::uint32_t ticks)
{
    if (rules == match_rules())
        return {};
    const match_lineup& lineup = game.get_lineup();
    std::vector<fighter_score> fighters;
    for (int slot = 0; slot < lineup.humans + lineup.bots && slot < max_players; slot++)
        fighters.push_back({players[slot].get_kills(), players[slot].get_deaths()});
    return result_of(rules, ticks, fighters);
}

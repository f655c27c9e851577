#include "roster_changes.h"

std::vector<roster_change> roster_changes(const std::vector<net_player>& before, const std::vector<net_player>& after)
{
    std::vector<roster_change> changes;
    std::size_t kept = 0;  // of `after`, the humans matched with one before
    for (const net_player& human : before) {
        if (kept < after.size() && after[kept] == human)
            kept++;
        else
            changes.push_back({false, human.name});
    }
    for (std::size_t slot = kept; slot < after.size(); slot++)
        changes.push_back({true, after[slot].name});
    return changes;
}

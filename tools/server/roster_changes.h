// Who came and who went between two looks at a lobby's humans. A lobby
// keeps its humans in joining order: one who leaves drops out of the list
// wherever they were, and one who joins comes at its end.
#pragma once

#include <string>
#include <vector>

#include "net/net_messages.h"

struct roster_change {
    bool joined = false;  // else left
    std::string name;

    bool operator==(const roster_change& other) const { return joined == other.joined && name == other.name; }
};

// The leaves, then the joins, that make `after` of `before`.
std::vector<roster_change> roster_changes(const std::vector<net_player>& before, const std::vector<net_player>& after);

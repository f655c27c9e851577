// The humans' names a replay shows as it plays, for its scoreboard, kill feed
// and match end, as the network match named them: those who began, then each
// who came in late once it has. Until then its fighter goes by the bot's name
// it had, and the bots after the humans are numbered on from them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "replay/replay_file.h"

// In slot order, after `tick` steps.
std::vector<std::string> human_names_at(const replay_data& replay, std::uint32_t tick);

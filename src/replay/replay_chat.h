// A replay's chat lines as its screen shows them, each from its tick, named
// and coloured as its speaker was in the match.
#pragma once

#include <vector>

#include "match/chat_view.h"
#include "replay/replay_file.h"

std::vector<chat_entry> replay_chat(const replay_data& replay);

// What a server tells whoever runs it: one line per join, leave, kill and
// match end, stamped with the time (UTC), on standard output, flushed at
// once so that a log or a pipe has it as it happens. Names are the players'
// own and the bots' "BOT n"; a kill reads "kill KILLER [WHAT] VICTIM", with
// no killer for a fall nobody caused.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "match/match_events.h"
#include "match/match_rules.h"

// Writes "2025-06-01T20:15:04Z TEXT" and flushes.
void log_line(const std::string& text);
// The same line for the time `when`, without the line's end.
std::string stamped(std::time_t when, const std::string& text);

// "pistol", "machine gun", "shotgun", "minigun", "grenade" or "fall".
const char* blow_name(int cause);
// "kill ANNA [shotgun] BOT 2", names as the fighters' slots give them.
std::string kill_text(const match_event& death, const std::vector<std::string>& human_names);
// "winner ANNA" or "draw".
std::string result_text(const match_result& result, const std::vector<std::string>& human_names);
// "ANNA, BERT and 4 bots".
std::string lineup_text(const std::vector<std::string>& human_names, int bots);

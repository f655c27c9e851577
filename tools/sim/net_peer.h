// zk3-sim --host / --join: a headless peer of a network match.
#pragma once

#include <cstdint>

#include "match/match_rules.h"

// A whole decimal number within [low, high], or false; every mode of
// zk3-sim reads its numbers so.
bool read_number(const char* text, long low, long high, long& out);

// "match over tick T winner SLOT", or "... draw", on standard output.
void print_match_over(const match_result& result, std::uint32_t tick);

// argv[1] is "--host" or "--join".
int run_net_peer(int argc, char** argv);

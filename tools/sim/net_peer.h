// zk3-sim --host / --join: a headless peer of a network match.
#pragma once

#include <cstdint>

#include "common/read_number.h"
#include "match/match_rules.h"

// "match over tick T winner SLOT", or "... draw", on standard output.
void print_match_over(const match_result& result, std::uint32_t tick);

// argv[1] is "--host" or "--join".
int run_net_peer(int argc, char** argv);

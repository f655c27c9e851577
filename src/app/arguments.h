// The command line. The game knows these switches:
//   --no-multisampling   make the display without multisampling, which
//                        machines drawing in software need to keep up
//   --seed N             seed the random generator with N (0..2147483647)
//                        instead of the clock, so that a run repeats itself
//                        given the same input
//   --replay FILE        play a replay before the menu
//   --host [PORT]        open a network lobby on PORT (1..65535)
//   --join HOST[:PORT]   join the lobby of HOST
//   --watch HOST[:PORT]  watch the match of HOST, with no fighter
//   --score-limit K      the host's lobby starts with a score limit of K
//                        kills (0 for none, up to 999)
//   --time-limit M       and a time limit of M minutes (0 for none, up to 1440)
// At most one of --replay, --host, --join and --watch; anything else is ignored,
// with one line each on standard error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/match_rules.h"

struct launch_choice {
    bool multisampling = true;
    bool seeded = false;
    unsigned int seed = 0;
    std::string replay;  // a replay file to play before the menu; "" none
    // Network play before the menu: hosting a lobby, or joining one at
    // `join_address`; the port is the game's own unless given.
    bool hosting = false;
    std::string join_address;  // "" none
    bool watching = false;     // joins to watch
    std::uint16_t port = 0;    // set with --host or --join
    match_rules rules;         // the host lobby's first limits
};

// Reads the arguments after the program's name into `choice`. Returns false,
// with a message for the player in `error`, only when a known switch has a
// bad value or none (a limit without --host is one), or two of --replay, --host and --join are given;
// unknown arguments are listed in `ignored`.
bool read_arguments(int argc, const char* const* argv, launch_choice& choice,
                    std::vector<std::string>& ignored, std::string& error);

// "N" as a whole decimal number in 0..2147483647, nothing else.
bool read_seed(const char* text, unsigned int& seed);
// "N" as a whole decimal number in 1..65535, nothing else.
bool read_port(const char* text, std::uint16_t& port);
// "HOST" or "HOST:PORT" (the game's own port unless given) as --join takes
// it, and as the network screen's field and the settings keep it: at most
// `most_join_text` of letters, digits, '.', '-', '_' and one ':'.
bool read_join_address(const std::string& where, std::string& address, std::uint16_t& port);
bool is_join_char(unsigned char c);
const std::size_t most_join_text = 48;

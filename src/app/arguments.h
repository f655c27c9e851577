// The command line. The game knows two switches:
//   --no-multisampling   make the display without multisampling, which
//                        machines drawing in software need to keep up
//   --seed N             seed the random generator with N (0..2147483647)
//                        instead of the clock, so that a run repeats itself
//                        given the same input
// Anything else is ignored, with one line each on standard error.
#pragma once

#include <string>
#include <vector>

struct launch_choice {
    bool multisampling = true;
    bool seeded = false;
    unsigned int seed = 0;
    std::string replay;  // a replay file to play before the menu; "" none
};

// Reads the arguments after the program's name into `choice`. Returns false,
// with a message for the player in `error`, only when a known switch has a
// bad value or none; unknown arguments are listed in `ignored`.
bool read_arguments(int argc, const char* const* argv, launch_choice& choice,
                    std::vector<std::string>& ignored, std::string& error);

// "N" as a whole decimal number in 0..2147483647, nothing else.
bool read_seed(const char* text, unsigned int& seed);

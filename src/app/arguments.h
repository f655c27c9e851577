// The command line. The game takes one switch:
//   --no-multisampling   make the display without multisampling, which
//                        machines drawing in software need to keep up
#pragma once

#include <string>

struct launch_choice {
    bool multisampling = true;
};

// Reads the arguments after the program's name into `choice`. Anything it
// does not know is refused: false, with a message for the player in `error`.
bool read_arguments(int argc, const char* const* argv, launch_choice& choice, std::string& error);

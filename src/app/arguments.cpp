#include "app/arguments.h"

#include <cstring>

bool read_arguments(int argc, const char* const* argv, launch_choice& choice, std::string& error)
{
    choice = launch_choice();
    error.clear();
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--no-multisampling") == 0) {
            choice.multisampling = false;
            continue;
        }
        error = std::string("unknown argument \"") + argv[i] +
                "\"; the only one is --no-multisampling (a faster display without multisampling)";
        return false;
    }
    return true;
}

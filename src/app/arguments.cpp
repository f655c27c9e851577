#include "app/arguments.h"

#include <cstring>

namespace {

const unsigned long long largest_seed = 2147483647;

}  // namespace

bool read_seed(const char* text, unsigned int& seed)
{
    if (!text || !*text || std::strlen(text) > 10)
        return false;
    unsigned long long value = 0;
    for (const char* digit = text; *digit; digit++) {
        if (*digit < '0' || *digit > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(*digit - '0');
    }
    if (value > largest_seed)
        return false;
    seed = static_cast<unsigned int>(value);
    return true;
}

bool read_arguments(int argc, const char* const* argv, launch_choice& choice,
                    std::vector<std::string>& ignored, std::string& error)
{
    choice = launch_choice();
    ignored.clear();
    error.clear();
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--no-multisampling") == 0) {
            choice.multisampling = false;
        } else if (std::strcmp(argv[i], "--seed") == 0) {
            const char* value = i + 1 < argc ? argv[++i] : nullptr;
            if (!read_seed(value, choice.seed)) {
                error = std::string("--seed needs a whole number from 0 to 2147483647, not ") +
                        (value ? "\"" + std::string(value) + "\"" : "nothing");
                return false;
            }
            choice.seeded = true;
        } else if (std::strcmp(argv[i], "--replay") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                error = "--replay needs a replay file";
                return false;
            }
            choice.replay = argv[++i];
        } else {
            ignored.push_back(argv[i]);
        }
    }
    return true;
}

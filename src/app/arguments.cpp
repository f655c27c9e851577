#include "app/arguments.h"

#include <cstring>

#include "net/net_link.h"

namespace {

const unsigned long long largest_seed = 2147483647;
const unsigned long long largest_port = 65535;

// "N" as a whole decimal number of at most `digits` digits up to `largest`.
bool read_number(const char* text, std::size_t digits, unsigned long long largest,
                 unsigned long long& value)
{
    if (!text || !*text || std::strlen(text) > digits)
        return false;
    value = 0;
    for (const char* digit = text; *digit; digit++) {
        if (*digit < '0' || *digit > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(*digit - '0');
    }
    return value <= largest;
}

std::string quoted_or_nothing(const char* value)
{
    return value ? "\"" + std::string(value) + "\"" : "nothing";
}

// "HOST" or "HOST:PORT" into the choice.
bool read_join(const char* value, launch_choice& choice, std::string& error)
{
    if (!read_join_address(value ? value : "", choice.join_address, choice.port)) {
        error = std::string(choice.watching ? "--watch" : "--join") +
                " needs HOST or HOST:PORT with a port from 1 to 65535, not " + quoted_or_nothing(value);
        return false;
    }
    return true;
}

// The switch that plays before the menu, or nullptr.
const char* first_screen(const launch_choice& choice)
{
    if (choice.hosting)
        return "--host";
    if (!choice.join_address.empty())
        return choice.watching ? "--watch" : "--join";
    if (!choice.replay.empty())
        return "--replay";
    return nullptr;
}

// A limit's number: --score-limit or --time-limit with its value.
bool read_limit(const char* name, const char* value, int most, int& out, std::string& error)
{
    unsigned long long number = 0;
    if (!read_number(value, 4, static_cast<unsigned long long>(most), number)) {
        error = std::string(name) + " needs a whole number from 0 to " + std::to_string(most) + ", not " +
                quoted_or_nothing(value);
        return false;
    }
    out = static_cast<int>(number);
    return true;
}

}  // namespace

bool read_seed(const char* text, unsigned int& seed)
{
    unsigned long long value = 0;
    if (!read_number(text, 10, largest_seed, value))
        return false;
    seed = static_cast<unsigned int>(value);
    return true;
}

bool is_join_char(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_' || c == ':';
}

bool read_join_address(const std::string& where, std::string& address, std::uint16_t& port)
{
    const std::size_t colon = where.rfind(':');
    const std::string host = where.substr(0, colon);
    if (host.empty() || host.find(':') != std::string::npos)
        return false;
    port = net_link::default_port;
    if (colon != std::string::npos && !read_port(where.c_str() + colon + 1, port))
        return false;
    address = host;
    return true;
}

bool read_port(const char* text, std::uint16_t& port)
{
    unsigned long long value = 0;
    if (!read_number(text, 5, largest_port, value) || value == 0)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

bool read_arguments(int argc, const char* const* argv, launch_choice& choice,
                    std::vector<std::string>& ignored, std::string& error)
{
    choice = launch_choice();
    ignored.clear();
    error.clear();
    for (int i = 1; i < argc; i++) {
        // Each of these plays before the menu: one of them, given again, is taken as last given.
        const char* before = first_screen(choice);
        const bool screen_switch = std::strcmp(argv[i], "--host") == 0 || std::strcmp(argv[i], "--join") == 0 ||
                                   std::strcmp(argv[i], "--watch") == 0 || std::strcmp(argv[i], "--replay") == 0;
        if (screen_switch && before && std::strcmp(before, argv[i]) != 0) {
            error = std::string(argv[i]) + " cannot be given with " + before +
                    ": one of --host, --join, --watch and --replay at a time";
            return false;
        }
        if (std::strcmp(argv[i], "--no-multisampling") == 0) {
            choice.multisampling = false;
        } else if (std::strcmp(argv[i], "--seed") == 0) {
            const char* value = i + 1 < argc ? argv[++i] : nullptr;
            if (!read_seed(value, choice.seed)) {
                error = "--seed needs a whole number from 0 to 2147483647, not " + quoted_or_nothing(value);
                return false;
            }
            choice.seeded = true;
        } else if (std::strcmp(argv[i], "--replay") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                error = "--replay needs a replay file";
                return false;
            }
            choice.replay = argv[++i];
        } else if (std::strcmp(argv[i], "--host") == 0) {
            // The port is optional: a next argument that is a switch is not it.
            choice.hosting = true;
            choice.port = net_link::default_port;
            const bool port_given = i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0;
            if (port_given && !read_port(argv[++i], choice.port)) {
                error = "--host needs no port or one from 1 to 65535, not \"" + std::string(argv[i]) + "\"";
                return false;
            }
        } else if (std::strcmp(argv[i], "--join") == 0 || std::strcmp(argv[i], "--watch") == 0) {
            choice.watching = std::strcmp(argv[i], "--watch") == 0;
            if (!read_join(i + 1 < argc ? argv[++i] : nullptr, choice, error))
                return false;
        } else if (std::strcmp(argv[i], "--score-limit") == 0 || std::strcmp(argv[i], "--time-limit") == 0) {
            const char* name = argv[i];
            const bool score = std::strcmp(name, "--score-limit") == 0;
            const char* value = i + 1 < argc ? argv[++i] : nullptr;
            if (!read_limit(name, value, score ? most_score_limit : most_time_limit,
                            score ? choice.rules.score_limit : choice.rules.time_limit, error))
                return false;
        } else {
            ignored.push_back(argv[i]);
        }
    }
    if (!choice.hosting && !(choice.rules == match_rules())) {
        error = "--score-limit and --time-limit are for the host: give them with --host";
        return false;
    }
    return true;
}

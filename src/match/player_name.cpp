#include "match/player_name.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

bool is_player_name_char(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '-' ||
           c == '_';
}

bool is_player_name(const std::string& name)
{
    if (name.empty() || name.size() > max_player_name)
        return false;
    for (char c : name)
        if (!is_player_name_char(static_cast<unsigned char>(c)))
            return false;
    return true;
}

std::string fitted_player_name(const std::string& raw)
{
    std::string name;
    for (char c : raw) {
        if (name.size() == max_player_name)
            break;
        if (is_player_name_char(static_cast<unsigned char>(c)))
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    // Spaces at either end would look like no name.
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    while (!name.empty() && name.front() == ' ')
        name.erase(0, 1);
    return name.empty() ? fallback_player_name : name;
}

std::string login_player_name()
{
    if (const char* login = getlogin())
        return fitted_player_name(login);
    if (const char* user = std::getenv("USER"))
        return fitted_player_name(user);
    if (const passwd* entry = getpwuid(getuid()))
        return fitted_player_name(entry->pw_name ? entry->pw_name : "");
    return fallback_player_name;
}

std::string bot_name(int number)
{
    return "BOT " + std::to_string(number);
}

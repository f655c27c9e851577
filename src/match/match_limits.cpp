#include "match/match_limits.h"

namespace {

bool is_map_name_character(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

}  // namespace

bool is_map_name(const std::string& name)
{
    const std::string extension = ".zkm";
    if (name.size() <= extension.size() || name.size() > max_map_name ||
        name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
        return false;
    for (char c : name)
        if (!is_map_name_character(c))
            return false;
    return true;
}

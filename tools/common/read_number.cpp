#include "common/read_number.h"

#include <cerrno>
#include <cstdlib>

bool read_number(const char* text, long low, long high, long& out)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (!text[0] || *end != '\0' || errno == ERANGE || value < low || value > high)
        return false;
    out = value;
    return true;
}

#include "codec/reason_keeper.h"

#include <cstdarg>
#include <cstdio>

bool reason_keeper::fail(const char* format, ...)
{
    // Room for a map reader's reason inside a replay reader's.
    char reason[300];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(reason, sizeof reason, format, arguments);
    va_end(arguments);
    kept = where() + reason;
    return false;
}

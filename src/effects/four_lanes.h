// Four floats or ints side by side, worked on by one instruction each where
// the processor has vector registers. Each lane follows the same IEEE
// rounding as a plain float, so a lane gives exactly what scalar code gives.
#pragma once

#include <cstring>

typedef float floats4 __attribute__((vector_size(16)));
typedef int ints4 __attribute__((vector_size(16)));  // comparisons give -1 or 0
typedef double doubles4 __attribute__((vector_size(32)));

inline floats4 load4(const float* from)
{
    floats4 lanes;
    std::memcpy(&lanes, from, sizeof lanes);
    return lanes;
}

inline void store4(float* to, floats4 lanes) { std::memcpy(to, &lanes, sizeof lanes); }

inline ints4 load4(const bool* from)
{
    typedef unsigned char bytes4 __attribute__((vector_size(4)));
    bytes4 flags;
    std::memcpy(&flags, from, sizeof flags);
    return __builtin_convertvector(flags, ints4) != 0;
}

inline bool any(ints4 mask) { return (mask[0] | mask[1] | mask[2] | mask[3]) != 0; }

// As std::min and std::max: the first argument on a tie.
inline floats4 min4(floats4 a, floats4 b) { return b < a ? b : a; }
inline floats4 max4(floats4 a, floats4 b) { return a < b ? b : a; }

inline ints4 to_ints(floats4 lanes) { return __builtin_convertvector(lanes, ints4); }

// The C library's rand() state as a value: saved with a match snapshot and
// put back with it, so the numbers drawn after a restore are the very ones
// drawn after the save. Neither call draws a number or changes one to come.
#pragma once

#include <cstddef>

// glibc's rand() draws from random()'s state: one word telling the generator's
// kind and position, then 31 words of the generator itself.
struct random_state {
    static constexpr std::size_t size = 128;
    alignas(4) unsigned char bytes[size];
};

random_state save_random_state();
void restore_random_state(const random_state& state);

// random() works on a state array that initstate() and setstate() let a
// program own. On first use the library's own array is copied into one of
// ours and the generator carries on from there; from then on the state lives
// in two arrays of ours, only one of them current. srand() still seeds the
// current one, so seeding works exactly as before.
#include "match/random_state.h"

#include <cstdlib>
#include <cstring>

namespace {

struct owned_arrays {
    alignas(4) char array[2][random_state::size];
    int current = -1;  // -1 until the library's array is adopted
};

owned_arrays owned;

// initstate() saves the old array's position into its first word and returns
// it; it also seeds the array it is given, which is why the position is then
// handed over to the other one.
void adopt_library_state()
{
    if (owned.current >= 0)
        return;
    const char* library = initstate(1, owned.array[0], random_state::size);
    std::memcpy(owned.array[1], library, random_state::size);
    setstate(owned.array[1]);
    owned.current = 1;
}

}  // namespace

random_state save_random_state()
{
    adopt_library_state();
    // setstate() writes the current position into the array's first word.
    setstate(owned.array[owned.current]);
    random_state state;
    std::memcpy(state.bytes, owned.array[owned.current], random_state::size);
    return state;
}

void restore_random_state(const random_state& state)
{
    adopt_library_state();
    // setstate() first writes the position of the array it leaves, so the
    // saved bytes go into the other one.
    const int other = 1 - owned.current;
    std::memcpy(owned.array[other], state.bytes, random_state::size);
    setstate(owned.array[other]);
    owned.current = other;
}

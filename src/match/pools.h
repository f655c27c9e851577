// The one way to find room in a pool: slots are searched from index 0, and a
// full pool silently yields fewer objects.
#pragma once

namespace pool_detail {

// Most objects say whether they are live with active(); bullets, flesh
// chunks and fighters with get_active().
template <class T>
auto in_use(const T& object, int) -> decltype(object.active())
{
    return object.active();
}

template <class T>
auto in_use(const T& object, long) -> decltype(object.get_active())
{
    return object.get_active();
}

}  // namespace pool_detail

template <class T>
bool in_use(const T& object)
{
    return pool_detail::in_use(object, 0);
}

// The first free slot of a pool, or null when every slot is in use.
template <class T, int N>
T* first_free(T (&pool)[N])
{
    for (T& object : pool)
        if (!in_use(object))
            return &object;
    return nullptr;
}

// Calls start(object, k) on up to `count` free slots, k counting 0, 1, ...;
// returns how many were started.
template <class T, int N, class Start>
int start_in_free_slots(T (&pool)[N], int count, Start start)
{
    int started = 0;
    for (T& object : pool) {
        if (started == count)
            break;
        if (in_use(object))
            continue;
        start(object, started);
        started++;
    }
    return started;
}

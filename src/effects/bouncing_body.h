// A small hard body thrown through the map: a casing or a grenade. Both
// sweep one unit at a time, bounce off what stops them at half their speed,
// come to rest when slow on solid ground and are gone a little past the
// map's edge; they differ only in the numbers of a `bounce_numbers` record.
#pragma once

struct bounce_numbers {
    float probe;   // contact points lie this far ahead of the position
    float margin;  // this far past an edge of the map it is gone for good
};

struct bouncing_body {
    float x = 0;   // map point
    float y = 0;
    float vx = 0;  // units per tick
    float vy = 0;  // positive is down
};

// Slower than half a unit a tick on both axes, with ground `probe` below.
bool at_rest(const bouncing_body& body, const bounce_numbers& numbers);

// Falls while the point just below it is free.
bool falls(const bouncing_body& body);

// A spin always the same way round, wrapping at half a turn.
float spun(float angle, float s);

enum class flight { clear, bounced, left_map };

// One tick's flight at time factor s: the sweeps towards where its speed
// takes it, horizontal first, then the bounce off whatever stopped it (a
// corner hit takes both axes), unless it left the map.
flight fly(bouncing_body& body, float s, const bounce_numbers& numbers);

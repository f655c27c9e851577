// All blood drops of a match in one object: up to 10,000 tiny squares that
// fly, fall, run down walls and lie where they stop as stains until they fade.
// Each drop's state lives in parallel arrays. The live drops are packed into
// one vertex array that a single textured call draws; it is built only when
// a frame needs it, as the last step left the drops, since the machine may
// run several steps between two frames.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

// The drops themselves and their counters: all that a step changes and
// nothing drawing keeps, so a match snapshot copies it in one assignment.
struct blood_drops {
    static constexpr int max_drops = 10000;

    float shade[max_drops];  // red: 1, 0.75 or 0.5
    float life[max_drops];   // ticks left; live while above 0
    float x[max_drops];      // map point of the top-left corner
    float y[max_drops];
    float vx[max_drops];     // units per tick
    float vy[max_drops];     // positive is down
    bool lying[max_drops];   // a stain that stays put: only its life runs
    int quad_count;          // live drops, packed from the start of the vertices
    float view_x;            // the map's scroll at the last step
    float view_y;
    // Every drop below this index is live, so a search for a free one starts here.
    int lowest_free;
};

class cblood : private blood_drops {
public:
    using blood_drops::max_drops;
    static constexpr int quad_vertices = 6;  // two triangles per drop

    // Starts a drop at a map point in the lowest free slot; false, and
    // nothing changes, when every drop is live.
    bool init(float new_x, float new_y);
    // Kills every drop and writes the texture coordinates once for good.
    void reset();
    void update();
    void draw() const;

    float get_life(int drop) const { return life[drop]; }
    float get_x(int drop) const { return x[drop]; }
    float get_y(int drop) const { return y[drop]; }
    float get_vx(int drop) const { return vx[drop]; }
    float get_vy(int drop) const { return vy[drop]; }
    // Live drops after the last step: the quads the next frame draws.
    int get_quad_count() const { return quad_count; }
    const ALLEGRO_VERTEX* get_vertices() const;
    // Test seam: gives a live drop chosen speeds.
    void set_motion(int drop, float new_vx, float new_vy);
    // Match snapshots: the drops without drawing's copy, which a restore
    // marks out of date.
    const blood_drops& get_drops() const { return *this; }
    void set_drops(const blood_drops& drops)
    {
        blood_drops::operator=(drops);
        vertices_built = false;
    }

private:
    // A tick of the four drops from `first`, those in free flight worked
    // side by side; how many are live after it.
    int update_four(int first, float s);
    // One tick of a live drop's motion, a unit at a time; false when it
    // left the map.
    bool move(int drop, float s);
    // Packs the live drops' quads at the scroll of the last step, once per step.
    void build_vertices() const;
    // Writes the drop's quad after the `built` ones.
    void add_quad(int drop, int built) const;

    // Drawing's copy of the drops, rebuilt after a step when first asked for.
    mutable bool vertices_built;
    mutable ALLEGRO_VERTEX vertices[max_drops * quad_vertices];
};

extern cblood blood;

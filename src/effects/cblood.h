// All blood drops of a match in one object: up to 10,000 tiny squares that
// fly, fall, run down walls and lie where they stop as stains until they fade.
// Each drop's state lives in parallel arrays, and every tick the live drops
// are packed into one vertex array that a single textured call draws.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

class cblood {
public:
    static constexpr int max_drops = 10000;
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
    int get_quad_count() const { return quad_count; }
    const ALLEGRO_VERTEX* get_vertices() const { return vertices; }
    // Test seam: gives a live drop chosen speeds.
    void set_motion(int drop, float new_vx, float new_vy);

private:
    // One tick of a drop's life and motion; false when it died.
    bool move(int drop, float s);
    // Writes the drop's quad after the ones already built this tick.
    void add_quad(int drop, float xs, float ys);

    float shade[max_drops];  // red: 1, 0.75 or 0.5
    float life[max_drops];   // ticks left; live while above 0
    float x[max_drops];      // map point of the top-left corner
    float y[max_drops];
    float vx[max_drops];     // units per tick
    float vy[max_drops];     // positive is down
    int quad_count;          // live drops in `vertices`, packed from the start
    ALLEGRO_VERTEX vertices[max_drops * quad_vertices];
    // Every drop below this index is live, so a search for a free one starts here.
    int lowest_free;
};

extern cblood blood;

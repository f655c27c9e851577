// A speck of debris knocked out of a wall by a bullet: it flies off, falls,
// stops dead against walls and floors and fades out.
#pragma once

class cparticle {
public:
    // Starts a speck at a map point flying off in a random direction.
    void init(float new_x, float new_y);
    bool active() const { return life > 0; }
    void reset() { life = 0; }
    void update();
    void draw() const;

    float get_life() const { return life; }
    float get_x() const { return x; }
    float get_y() const { return y; }
    float get_vx() const { return vx; }
    float get_vy() const { return vy; }
    // Test seam: gives a live speck chosen speeds.
    void set_motion(float new_vx, float new_vy);

private:
    float life = 0;  // ticks left
    float x = 0;     // map point of the picture's top-left corner
    float y = 0;
    float vx = 0;    // units per tick
    float vy = 0;    // positive is down
};

const int max_particles = 512;
extern cparticle particles[max_particles];

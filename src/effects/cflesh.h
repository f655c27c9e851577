// A flesh chunk thrown by a death: it bursts from the body, spins, bounces off
// walls losing speed, leaves a trail of blood and vanishes once it lies still
// on the ground.
#pragma once

class cflesh {
public:
    // Starts a chunk at a map point, pushed along `angle` (radians); an angle
    // of 999 or more means a blow without a direction.
    void init(float new_x, float new_y, float angle);
    bool get_active() const { return active; }
    void reset() { active = false; }
    void update();
    void draw() const;

    // Walls next to the chunk, each felt at two points 7 units from its centre.
    bool up() const;
    bool down() const;
    bool right() const;
    bool left() const;

    float get_rotation() const { return rotation; }
    float get_x() const { return x; }
    float get_y() const { return y; }
    float get_vx() const { return vx; }
    float get_vy() const { return vy; }
    // Test seam: gives an active chunk chosen speeds.
    void set_motion(float new_vx, float new_vy);

private:
    void bleed(float s);
    void sweep(float tx, float ty);
    bool left_map() const;
    void bounce(bool sideways, bool vertically);

    float rotation = 0;  // of the picture, radians
    float trail = 0;     // ticks since the last drop of blood
    float x = 0;         // map point of the centre
    float y = 0;
    float vx = 0;        // units per tick
    float vy = 0;        // positive is down
    bool active = false;
};

const int max_flesh = 110;
extern cflesh flesh[max_flesh];

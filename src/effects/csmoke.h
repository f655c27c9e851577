// A puff of the white cloud a fighter enters the arena in: it drifts, rises,
// swells and fades, and collides with nothing.
#pragma once

class csmoke {
public:
    // Starts a puff at a map point, even inside a wall.
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
    // Drawn width and height: a puff swells as its life runs out.
    float get_size() const;

private:
    float life = 0;  // ticks left, also its opacity in hundredths
    float x = 0;     // map point of the centre
    float y = 0;
    float vx = 0;    // units per tick
    float vy = 0;    // positive is down
};

const int max_smoke = 495;
extern csmoke smoke[max_smoke];

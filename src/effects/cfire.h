// A muzzle flash: the fire picture at a gun's muzzle, turned to the aim, for
// one tick (ten in slow motion).
#pragma once

class cfire {
public:
    // Starts a flash at the muzzle point (x, y), pointing along `new_angle`.
    void init(float new_x, float new_y, float new_angle);
    bool active() const { return life > 0; }
    void reset() { life = 0; }
    void update();
    void draw() const;

    float get_angle() const { return angle; }
    float get_life() const { return life; }
    float get_x() const { return x; }
    float get_y() const { return y; }

private:
    float angle = 0;  // aim angle in radians
    float life = 0;   // ticks left
    float x = 0;      // map point of the muzzle
    float y = 0;
};

const int max_fire = 11;
extern cfire fire[max_fire];

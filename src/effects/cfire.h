// A muzzle flash or a fire ball. Stand-in until the effect is drawn: starting one does nothing yet.
#pragma once

class cfire {
public:
    void init(float, float, float) {}
    bool active() const { return life > 0; }
    void reset() { life = 0; }
    void update() {}
    void draw() {}

private:
    float life = 0;
};

const int max_fire = 11;
extern cfire fire[max_fire];

// A puff of smoke. Stand-in until the effect is drawn: starting one does nothing yet.
#pragma once

class csmoke {
public:
    void init(float, float) {}
    bool active() const { return life > 0; }
    void reset() { life = 0; }
    void update() {}
    void draw() {}

private:
    float life = 0;
};

const int max_smoke = 495;
extern csmoke smoke[max_smoke];

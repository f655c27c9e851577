// A flame of a fire ball. Stand-in until the effect is drawn: starting one does nothing yet.
#pragma once

class cflame {
public:
    void init(float, float, float, float, bool) {}
    bool active() const { return life > 0; }
    void reset() { life = 0; }
    void update() {}
    void draw() {}

private:
    float life = 0;
};

const int max_flames = 440;
extern cflame flames[max_flames];

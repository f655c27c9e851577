// A piece of debris thrown by a wall hit. Stand-in until the effect is drawn: starting one does nothing yet.
#pragma once

class cparticle {
public:
    void init(float, float) {}
    bool active() const { return life > 0; }
    void reset() { life = 0; }
    void update() {}
    void draw() {}

private:
    float life = 0;
};

const int max_particles = 512;
extern cparticle particles[max_particles];

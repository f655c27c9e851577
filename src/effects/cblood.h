// All blood drops of a match in one object. Stand-in until blood flows: no
// drop starts yet, so every start reports the pool full.
#pragma once

class cblood {
public:
    bool init(float, float) { return false; }
    void reset() {}
    void update() {}
    void draw() {}
};

extern cblood blood;

// A thrown grenade. Stand-in until grenades fly: throwing one starts nothing yet.
#pragma once

class cgrenade {
public:
    void init(float, float, float, float, int) {}
    bool active() const { return fuse > 0; }
    void reset() { fuse = 0; }
    void update() {}
    void draw() {}

private:
    float fuse = 0;
};

const int max_grenades = 11;
extern cgrenade grenades[max_grenades];

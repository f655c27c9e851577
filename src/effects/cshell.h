// An ejected casing. Stand-in until the effect is drawn: starting one does nothing yet.
#pragma once

class cshell {
public:
    void init(float, float, float, bool) {}
    bool active() const { return life > 0; }
    void reset() { life = 0; }
    void update() {}
    void draw() {}

private:
    float life = 0;
};

const int max_shells = 256;
extern cshell shells[max_shells];

// A flesh chunk thrown by a death. Stand-in until chunks fly: starting one does nothing yet.
#pragma once

class cflesh {
public:
    void init(float, float, float) {}
    bool get_active() const { return active; }
    void reset() { active = false; }
    void update() {}
    void draw() {}

private:
    bool active = false;
};

const int max_flesh = 110;
extern cflesh flesh[max_flesh];

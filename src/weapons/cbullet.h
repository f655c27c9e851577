// A bullet in flight. Stand-in until bullets fly: it starts nothing yet.
#pragma once

class cbullet {
public:
    void init(float, float, float, int, int) {}
    bool get_active() const { return active; }
    void reset() { active = false; }
    void update() {}
    void draw() {}

private:
    bool active = false;
};

const int max_bullets = 32;
extern cbullet bullets[max_bullets];

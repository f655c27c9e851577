// A flame of an explosion's fire ball, or the smoke puff a dying flame gives
// off: a tinted sphere that swells, rises, changes colour and fades.
#pragma once

class cflame {
public:
    // Starts a smoke puff with the given speeds, or a fire flame, which picks
    // its own small drift and ignores them.
    void init(float new_x, float new_y, float new_vx, float new_vy, bool new_smoke);
    bool active() const { return life > 0; }
    void reset() { life = 0; }
    void update();
    void draw() const;

    float get_life() const { return life; }
    float get_x() const { return x; }
    float get_y() const { return y; }
    float get_vx() const { return vx; }
    float get_vy() const { return vy; }
    bool get_smoke() const { return smoke; }

private:
    void update_smoke(float s);
    void update_fire(float s);
    void give_off_smoke();

    float alpha = 0;  // opacity 0..1
    float green = 0;  // a fire flame's green, 0..1: red turns yellow as it dies
    float size = 0;   // drawn width and height
    float life = 0;   // ticks left
    float x = 0;      // map point of the centre
    float y = 0;
    float vx = 0;     // units per tick
    float vy = 0;     // positive is down
    bool smoke = false;
};

const int max_flames = 440;
extern cflame flames[max_flames];

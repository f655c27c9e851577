// A bullet: a point that flies 50 units a tick in a straight line, drawn as a
// fading streak, and stops at the first wall, the first living fighter other
// than its shooter, or the map's edge. Then its tail catches up and it is gone.
#pragma once

class cbullet {
public:
    // Starts a bullet unless (x, y) lies inside a wall; then the slot stays free.
    void init(float new_x, float new_y, float new_angle, int new_power, int new_owner);
    bool get_active() const { return active; }
    void reset() { active = false; }
    void update();
    void draw() const;

    // What lies at the next point along the flight.
    bool screen() const;     // the next point is inside the map
    bool collision() const;  // the next point is inside a wall
    int player() const;      // the fighter hit there, or -1
    // Whether (px, py) lies in fighter i's box.
    bool enemy(int i, float px, float py) const;

    float get_angle() const { return angle; }
    float get_x() const { return x; }
    float get_y() const { return y; }
    float get_tail() const { return tail; }
    bool get_flying() const { return flying; }

private:
    // Moves up to `step` units one unit at a time; false when something stopped it.
    bool fly(float step);
    // The fighters the bullet could hit within `reach` units, in slot order,
    // into `near`; returns how many.
    int fighters_near(float reach, int* near) const;
    // The first of those whose box holds the next point, or -1.
    int near_fighter_hit(const int* near, int count) const;
    // The bullet stopped short of its next point: a wall chips, a fighter is hurt.
    void hit();

    float angle = 0;
    float dir_x = 1, dir_y = 0;  // cos and sin of the angle
    float tail = 0;  // length of the streak behind the head, 0..127
    float x = 0;
    float y = 0;
    int power = 0;
    int owner = 0;
    bool active = false;
    bool flying = false;
};

const int max_bullets = 32;
extern cbullet bullets[max_bullets];

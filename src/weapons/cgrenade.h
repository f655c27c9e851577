// A thrown grenade: it spins, falls, bounces off walls, floors and ceilings
// losing half its speed, comes to rest on the ground and, when its fuse has
// burnt down, kills every fighter near it and bursts into flames.
#pragma once

#include "effects/bouncing_body.h"

class cgrenade {
public:
    // Starts a grenade at (x, y) flying at `speed` along `angle`, thrown by fighter `owner`.
    void init(float new_x, float new_y, float angle, float speed, int new_owner);
    // Live while the fuse burns.
    bool active() const { return fuse > 0; }
    void reset() { fuse = 0; }
    void update();
    void draw() const;
    // The blast: kills, flames and the bang; the grenade is gone afterwards.
    void explode();

    float get_rot() const { return rot; }
    float get_fuse() const { return fuse; }
    float get_x() const { return body.x; }
    float get_y() const { return body.y; }
    float get_vx() const { return body.vx; }
    float get_vy() const { return body.vy; }
    // Test seam: puts a live grenade into a chosen spin and motion.
    void set_motion(float new_rot, float new_vx, float new_vy);

private:
    void lie_still();
    void start_flames();

    float rot = 0;   // spin of the picture, -pi..pi
    float fuse = 0;  // ticks to the blast
    bouncing_body body;  // its position is the centre
    int owner = 0;   // the thrower, credited with the kills
};

const int max_grenades = 11;
extern cgrenade grenades[max_grenades];

// An ejected casing: a cartridge case or a shotgun shell thrown out of a gun.
// It spins, falls, bounces off walls with a clink, comes to rest lying flat
// and fades out. It collides with the map and nothing else.
#pragma once

#include "effects/bouncing_body.h"

class cshell {
public:
    // Starts a casing thrown along `direction`, unless (x, y) is inside a wall.
    void init(float new_x, float new_y, float direction, bool new_shotgun_shell);
    bool active() const { return life > 0; }
    void reset() { life = 0; }
    void update();
    void draw() const;

    float get_angle() const { return angle; }
    float get_life() const { return life; }
    float get_x() const { return body.x; }
    float get_y() const { return body.y; }
    float get_vx() const { return body.vx; }
    float get_vy() const { return body.vy; }
    // Test seam: puts a live casing into a chosen spin and motion.
    void set_motion(float new_angle, float new_vx, float new_vy);

private:
    // 0 a cartridge case, 1 a shotgun shell: the index of its picture and sound pair.
    int kind() const { return shotgun_shell ? 1 : 0; }
    void lie_flat();

    float angle = 0;  // spin of the picture, -pi..pi
    float life = 0;   // ticks left
    bouncing_body body;
    bool shotgun_shell = false;  // picks the picture and the clink
};

const int max_shells = 256;
extern cshell shells[max_shells];

// The minigun: 75 rounds, one every 5 ticks once its barrel has spun up.
#pragma once

#include "weapons/cbweapon.h"

class cminigun : public cbweapon {
public:
    explicit cminigun(int new_owner);
    void draw() override;
    void stop() override;
    void update() override;

    float get_frame() const { return frame; }

private:
    void shot_sound() override;
    void turn_barrel();
    void spin_down();

    float frame = 0;                     // barrel picture, 0 <= frame < 3
    ALLEGRO_SAMPLE_INSTANCE* sounds[2] = {};  // [0] normal speed, [1] slow motion
};

// The minigun: 75 rounds, one every 5 ticks once its barrel has spun up.
#pragma once

#include "weapons/cbweapon.h"

class cminigun : public cbweapon {
public:
    explicit cminigun(int new_owner);
    void draw() override;
    void stop() override;
    void update() override;

    // The barrel's picture, kept with the rest of the gun's state.
    float get_frame() const { return frame; }

private:
    void shot_sound() override;
    void turn_barrel();
    void spin_down();

    ALLEGRO_SAMPLE_INSTANCE* sounds[2] = {};  // [0] normal speed, [1] slow motion
};

// The machine gun: 25 rounds, one every 7 ticks while the trigger is held.
#pragma once

#include "weapons/cbweapon.h"

class cmachine_gun : public cbweapon {
public:
    explicit cmachine_gun(int new_owner);
    void draw() override;
    void stop() override;

private:
    void shot_sound() override;
    ALLEGRO_SAMPLE_INSTANCE* sounds[2] = {};  // [0] normal speed, [1] slow motion
};

// The pistol: seven rounds, semi-automatic in the human's hand.
#pragma once

#include "weapons/cbweapon.h"

class cpistol : public cbweapon {
public:
    explicit cpistol(int new_owner);
    void draw() override;
};

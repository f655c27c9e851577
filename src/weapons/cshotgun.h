// The shotgun: five shells, a long pump between shots.
#pragma once

#include "weapons/cbweapon.h"

class cshotgun : public cbweapon {
public:
    explicit cshotgun(int new_owner);
    void draw() override;
};

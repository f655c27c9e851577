// The heads-up display: the shown human's health, magazine, energy, kills
// and grenades, the cross-hair, and the weapon choice while that human is
// dead. Every human of the match has a weapon choice of its own.
#pragma once

#include "match/match_shape.h"

class chud {
public:
    chud() { init(); }
    void init();
    void select(int slot = 0) { weapon[slot] = -weapon[slot]; }
    // Each human's choice from its controls while it is offered.
    void update();
    // The HUD of the match's shown fighter.
    void draw();
    int get_weapon(int slot = 0) const { return weapon[slot]; }
    // Match snapshots put the choice back.
    void set_weapon(int choice, int slot = 0) { weapon[slot] = choice; }

private:
    void choose(int slot);

    // Weapon for the human's next life, 1..4; negative while the choice is
    // offered, its magnitude the previous choice.
    int weapon[max_players];
};

extern chud hud;

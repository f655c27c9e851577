// The heads-up display: the human's health, magazine, energy, kills and
// grenades, the cross-hair, and the weapon choice while the human is dead.
#pragma once

class chud {
public:
    void init() { weapon = 1; }
    void select() { weapon = -weapon; }
    void update();
    void draw();
    int get_weapon() const { return weapon; }
    // Match snapshots put the choice back.
    void set_weapon(int choice) { weapon = choice; }

private:
    // Weapon for the human's next life, 1..4; negative while the choice is
    // offered, its magnitude the previous choice.
    int weapon = 1;
};

extern chud hud;

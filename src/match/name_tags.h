// A human's name above their fighter, small and in their shirt's colour, in
// a network match and in its replay.
#pragma once

#include <string>

// Draws `name` over the fighter in `slot` while it plays as a human.
void draw_name_tag(int slot, const std::string& name, int shirt);

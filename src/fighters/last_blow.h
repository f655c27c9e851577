// What a killing blow came from, as a death in the match's events names it:
// the gun types 0..3, then these.
#pragma once

const int blow_grenade = 4;
const int blow_fall = 5;

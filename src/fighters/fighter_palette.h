// The colours a fighter's shirt and pants come in, for the fighters and for
// the screens that show a player's look before a match.
#pragma once

#include <allegro5/allegro.h>

// 0 red, 1 brown, 2 green, 3 blue, 4 grey, else white.
ALLEGRO_COLOR cloth_color(int index);

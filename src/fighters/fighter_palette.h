// The colours a fighter's shirt and pants come in, for the fighters and for
// the screens that show a player's look before a match.
#pragma once

#include <allegro5/allegro.h>

// 0 red, 1 brown, 2 green, 3 blue, 4 grey, else white.
ALLEGRO_COLOR cloth_color(int index);
// Whether text in this colour needs a light backing to be read (brown, blue, grey).
bool dark_cloth(ALLEGRO_COLOR color);
// Where text in a dark cloth colour stands on a light backing.
ALLEGRO_COLOR light_backing();

// A fighter's look in a row of a list: its head with its hair, then squares
// of its shirt's and its pants' colours, `swatch` units high, from (x, y).
void draw_look(const int colors[3], int x, int y, int swatch);

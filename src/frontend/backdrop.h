// The dark gradient behind the menu, the options and the credits: black at
// the top, dark red at the bottom, covering the whole logical screen.
#pragma once

#include <allegro5/allegro_primitives.h>

void make_backdrop(ALLEGRO_VERTEX quad[4]);
void draw_backdrop(const ALLEGRO_VERTEX quad[4]);

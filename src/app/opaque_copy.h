// Copying an opaque picture onto the screen, as fast as the display allows.
#pragma once

#include <allegro5/allegro.h>

// Copies the region (sx, sy, width, height) of an opaque picture to the target
// at (dx, dy), through the current transform, without blending. On the
// display's own back buffer, without multisampling and at one pixel a unit,
// the renderer copies the pixels itself (about twice as fast as drawing the
// picture on a software renderer, and pixel for pixel the same); anywhere
// else the picture is drawn.
void copy_opaque_region(ALLEGRO_BITMAP* picture, int sx, int sy, int width, int height, int dx, int dy);

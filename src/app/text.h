// One line of text from the two monospaced bitmap fonts of the asset table.
#pragma once

#include <allegro5/allegro.h>

// Draws `text` with its first glyph's top-left corner at (x, y), tinted by
// `color`; `big` picks the large font. Bytes without a glyph keep their cell.
void draw_text(ALLEGRO_COLOR color, const char* text, int x, int y, bool big);

// Width in logical units of a line of n characters.
int text_width(int characters, bool big);

// Where a line of `text` starts so that it stands centred on the logical screen.
int centred_x(const char* text, bool big);

// Words on pictures (menu items, panels, labels), drawn with the same free
// monospaced TrueType font the font strips come from.
#pragma once

#include <string>
#include <vector>

#include <allegro5/allegro_font.h>

#include "canvas.h"

enum class typeface { regular, bold };

// The font at `pixel_size` pixels per em, loaded once; null if missing.
ALLEGRO_FONT* font_of(typeface face, int pixel_size);
void close_fonts();

// Draws `text` into the target (not locked) so that its ink is centred on cx
// and its capital letters are centred on cy.
void draw_label(typeface face, int pixel_size, rgba colour, float cx, float cy, const std::string& text);

// The coverage (0..1) of `text` drawn as in draw_label into a w x h area,
// row by row, for pictures that shape their own letters.
std::vector<float> text_mask(typeface face, int pixel_size, int w, int h, float cx, float cy,
                             const std::string& text);

// The shared look of the front end's pictures: raised metal plates, buttons
// with a word on them, arrows and dark inset fields.
#pragma once

#include <string>

#include "canvas.h"

// Colours every screen shares.
const rgba plate_light = rgb8(112, 112, 122);
const rgba plate_dark = rgb8(58, 58, 66);
const rgba accent_red = rgb8(200, 30, 24);
const rgba ink_dark = rgb8(12, 6, 6);

// A raised plate: bevelled, lit from above, with a thin red inner line.
void draw_plate(pixels& canvas, float left, float top, float right, float bottom);
// A sunken dark field, for values and bars.
void draw_inset(pixels& canvas, float left, float top, float right, float bottom);
// A solid triangle centred on (cx, cy), `size` tall, pointing left or right.
void draw_arrow(pixels& canvas, float cx, float cy, float size, bool left, rgba colour);

// A button: a plate with `label` centred on it (target not locked).
void draw_button(float left, float top, float w, float h, const std::string& label);
// The same filling the whole target.
void draw_button(const std::string& label);

// Drawing helpers for the generator: memory-bitmap canvases, straight
// (not premultiplied) colours, antialiased shapes and pixel passes.
#pragma once

#include <functional>
#include <string>

#include <allegro5/allegro.h>

// A straight colour, every channel 0..1.
struct rgba {
    float r, g, b, a;
};

rgba rgb8(int r, int g, int b, float a = 1.0f);
rgba grey(float level, float a = 1.0f);
rgba mix(rgba from, rgba to, float t);
rgba darker(rgba c, float factor);  // scales r, g, b; keeps alpha
rgba with_alpha(rgba c, float a);
// For Allegro's drawing calls, whose default blender wants premultiplied colour.
ALLEGRO_COLOR to_allegro(rgba c);

// A fresh transparent memory bitmap of w x h pixels, made the drawing target.
ALLEGRO_BITMAP* new_canvas(int w, int h);
// Writes the canvas as a PNG with straight alpha; false if saving failed.
bool save_canvas(ALLEGRO_BITMAP* canvas, const std::string& file);

// Locked read/write access to the target bitmap's pixels, in straight colour.
// No Allegro drawing may happen while one is alive.
class pixels {
public:
    pixels();
    ~pixels();
    pixels(const pixels&) = delete;
    pixels& operator=(const pixels&) = delete;

    int width() const { return w; }
    int height() const { return h; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    rgba get(int x, int y) const;
    void set(int x, int y, rgba c);
    // Lays `c` over the pixel, weighted by `coverage` (0..1).
    void blend(int x, int y, rgba c, float coverage = 1.0f);

private:
    ALLEGRO_BITMAP* bitmap;
    ALLEGRO_LOCKED_REGION* region;
    int w, h;
};

// A shape as a signed distance (negative inside, in pixels) with the box
// outside of which it is certainly empty. Pixel (i, j) covers [i, i + 1).
struct shape {
    std::function<float(float x, float y)> distance;
    float left, top, right, bottom;
};

shape disc(float cx, float cy, float r);
shape ellipse(float cx, float cy, float rx, float ry);
// A segment with round ends, `r` thick on each side.
shape capsule(float x1, float y1, float x2, float y2, float r);
shape box(float left, float top, float right, float bottom, float corner = 0);
// A convex polygon given clockwise on screen (y down).
shape polygon(std::initializer_list<float> xy);
shape unite(const shape& a, const shape& b);
shape cut(const shape& from, const shape& hole);

// The colour of a filled shape at a point.
using paint = std::function<rgba(float x, float y)>;
paint solid(rgba c);
paint vertical_gradient(float top, rgba top_colour, float bottom, rgba bottom_colour);

// Fills the shape antialiased into the locked target.
void fill(pixels& canvas, const shape& s, const paint& colour);
void fill(pixels& canvas, const shape& s, rgba colour);

// Puts a one-pixel rim of `colour` behind everything drawn so far, so small
// sprites read against any background.
void add_outline(pixels& canvas, rgba colour);

// Runs `change` over every pixel of the locked target.
void shade_pixels(pixels& canvas, const std::function<void(int x, int y, rgba& c)>& change);

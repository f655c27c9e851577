#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

unsigned char to_byte(float v) { return static_cast<unsigned char>(std::lround(clamp01(v) * 255.0f)); }

// Distance from (x, y) to the segment (x1, y1)-(x2, y2).
float segment_distance(float x, float y, float x1, float y1, float x2, float y2)
{
    float dx = x2 - x1, dy = y2 - y1;
    float length2 = dx * dx + dy * dy;
    float t = length2 > 0 ? clamp01(((x - x1) * dx + (y - y1) * dy) / length2) : 0;
    return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy));
}

}  // namespace

rgba rgb8(int r, int g, int b, float a) { return {r / 255.0f, g / 255.0f, b / 255.0f, a}; }

rgba grey(float level, float a) { return {level, level, level, a}; }

rgba mix(rgba from, rgba to, float t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

rgba darker(rgba c, float factor) { return {c.r * factor, c.g * factor, c.b * factor, c.a}; }

rgba with_alpha(rgba c, float a) { return {c.r, c.g, c.b, a}; }

ALLEGRO_COLOR to_allegro(rgba c)
{
    return al_map_rgba_f(clamp01(c.r) * c.a, clamp01(c.g) * c.a, clamp01(c.b) * c.a, c.a);
}

ALLEGRO_BITMAP* new_canvas(int w, int h)
{
    ALLEGRO_BITMAP* canvas = al_create_bitmap(w, h);
    if (!canvas)
        return nullptr;
    al_set_target_bitmap(canvas);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    return canvas;
}

bool save_canvas(ALLEGRO_BITMAP* canvas, const std::string& file)
{
    // Drawing blends premultiplied colour; the game's loader premultiplies
    // again, so the file must hold straight colour.
    ALLEGRO_LOCKED_REGION* region =
        al_lock_bitmap(canvas, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READWRITE);
    if (!region)
        return false;
    for (int y = 0; y < al_get_bitmap_height(canvas); y++) {
        unsigned char* row = static_cast<unsigned char*>(region->data) + y * region->pitch;
        for (int x = 0; x < al_get_bitmap_width(canvas); x++) {
            unsigned char* p = row + 4 * x;
            int a = p[3];
            for (int k = 0; k < 3; k++)
                p[k] = a == 0 ? 0 : static_cast<unsigned char>(std::min(255, (p[k] * 255 + a / 2) / a));
        }
    }
    al_unlock_bitmap(canvas);
    return al_save_bitmap(file.c_str(), canvas);
}

pixels::pixels() : bitmap(al_get_target_bitmap())
{
    region = al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READWRITE);
    w = al_get_bitmap_width(bitmap);
    h = al_get_bitmap_height(bitmap);
}

pixels::~pixels() { al_unlock_bitmap(bitmap); }

rgba pixels::get(int x, int y) const
{
    const unsigned char* p = static_cast<const unsigned char*>(region->data) + y * region->pitch + 4 * x;
    float a = p[3] / 255.0f;
    if (a <= 0)
        return {0, 0, 0, 0};
    return {p[0] / 255.0f / a, p[1] / 255.0f / a, p[2] / 255.0f / a, a};
}

void pixels::set(int x, int y, rgba c)
{
    unsigned char* p = static_cast<unsigned char*>(region->data) + y * region->pitch + 4 * x;
    float a = clamp01(c.a);
    p[0] = to_byte(clamp01(c.r) * a);
    p[1] = to_byte(clamp01(c.g) * a);
    p[2] = to_byte(clamp01(c.b) * a);
    p[3] = to_byte(a);
}

void pixels::blend(int x, int y, rgba c, float coverage)
{
    if (!inside(x, y))
        return;
    float a = clamp01(c.a * coverage);
    if (a <= 0)
        return;
    rgba under = get(x, y);
    float out_a = a + under.a * (1 - a);
    auto channel = [&](float top, float bottom) {
        return (clamp01(top) * a + bottom * under.a * (1 - a)) / out_a;
    };
    set(x, y, {channel(c.r, under.r), channel(c.g, under.g), channel(c.b, under.b), out_a});
}

shape disc(float cx, float cy, float r)
{
    return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; },
            cx - r, cy - r, cx + r, cy + r};
}

shape ellipse(float cx, float cy, float rx, float ry)
{
    // Scaled circle distance: exact enough for antialiasing small ellipses.
    float k = std::min(rx, ry);
    return {[=](float x, float y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1) * k; },
            cx - rx, cy - ry, cx + rx, cy + ry};
}

shape capsule(float x1, float y1, float x2, float y2, float r)
{
    return {[=](float x, float y) { return segment_distance(x, y, x1, y1, x2, y2) - r; },
            std::min(x1, x2) - r, std::min(y1, y2) - r, std::max(x1, x2) + r, std::max(y1, y2) + r};
}

shape box(float left, float top, float right, float bottom, float corner)
{
    float cx = (left + right) / 2, cy = (top + bottom) / 2;
    float hx = (right - left) / 2 - corner, hy = (bottom - top) / 2 - corner;
    return {[=](float x, float y) {
                float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
                float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
                return outside + std::min(std::max(qx, qy), 0.0f) - corner;
            },
            left, top, right, bottom};
}

shape polygon(std::initializer_list<float> xy)
{
    std::vector<float> p(xy);
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    for (std::size_t i = 0; i + 1 < p.size(); i += 2) {
        left = std::min(left, p[i]);
        right = std::max(right, p[i]);
        top = std::min(top, p[i + 1]);
        bottom = std::max(bottom, p[i + 1]);
    }
    // Inside a convex polygon the distance is the largest signed edge distance.
    return {[p](float x, float y) {
                float d = -1e9f;
                std::size_t n = p.size() / 2;
                for (std::size_t i = 0; i < n; i++) {
                    float x1 = p[2 * i], y1 = p[2 * i + 1];
                    float x2 = p[2 * ((i + 1) % n)], y2 = p[2 * ((i + 1) % n) + 1];
                    float ex = x2 - x1, ey = y2 - y1, length = std::hypot(ex, ey);
                    if (length > 0)
                        d = std::max(d, ((x - x1) * ey - (y - y1) * ex) / length);
                }
                return d;
            },
            left, top, right, bottom};
}

shape unite(const shape& a, const shape& b)
{
    return {[a, b](float x, float y) { return std::min(a.distance(x, y), b.distance(x, y)); },
            std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

shape cut(const shape& from, const shape& hole)
{
    return {[from, hole](float x, float y) { return std::max(from.distance(x, y), -hole.distance(x, y)); },
            from.left, from.top, from.right, from.bottom};
}

paint solid(rgba c)
{
    return [c](float, float) { return c; };
}

paint vertical_gradient(float top, rgba top_colour, float bottom, rgba bottom_colour)
{
    return [=](float, float y) {
        return mix(top_colour, bottom_colour, clamp01((y - top) / (bottom - top)));
    };
}

void fill(pixels& canvas, const shape& s, const paint& colour)
{
    int x0 = std::max(0, static_cast<int>(std::floor(s.left)) - 1);
    int y0 = std::max(0, static_cast<int>(std::floor(s.top)) - 1);
    int x1 = std::min(canvas.width() - 1, static_cast<int>(std::ceil(s.right)) + 1);
    int y1 = std::min(canvas.height() - 1, static_cast<int>(std::ceil(s.bottom)) + 1);
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            float cx = x + 0.5f, cy = y + 0.5f;
            float coverage = clamp01(0.5f - s.distance(cx, cy));
            if (coverage > 0)
                canvas.blend(x, y, colour(cx, cy), coverage);
        }
}

void fill(pixels& canvas, const shape& s, rgba colour) { fill(canvas, s, solid(colour)); }

void add_outline(pixels& canvas, rgba colour)
{
    int w = canvas.width(), h = canvas.height();
    std::vector<float> alpha(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            alpha[y * w + x] = canvas.get(x, y).a;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            float around = 0;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++)
                    if (canvas.inside(x + dx, y + dy))
                        around = std::max(around, alpha[(y + dy) * w + x + dx]);
            rgba here = canvas.get(x, y);
            if (around <= here.a)
                continue;
            // The rim goes behind: whatever is drawn keeps its colour.
            float rim = (around - here.a) * colour.a;
            float out_a = here.a + rim;
            auto channel = [&](float top, float bottom) { return (top * here.a + bottom * rim) / out_a; };
            canvas.set(x, y, {channel(here.r, colour.r), channel(here.g, colour.g),
                              channel(here.b, colour.b), out_a});
        }
}

void shade_pixels(pixels& canvas, const std::function<void(int x, int y, rgba& c)>& change)
{
    for (int y = 0; y < canvas.height(); y++)
        for (int x = 0; x < canvas.width(); x++) {
            rgba c = canvas.get(x, y);
            change(x, y, c);
            canvas.set(x, y, c);
        }
}

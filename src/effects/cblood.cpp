#include "effects/cblood.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/assets.h"
#include "effects/walk.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

const float drop_life = 250;
const float fade_ticks = 50;  // fades out over its last ticks

const int shades = 3;
const float shade_step = 0.25f;  // each shade is this much darker than the one before
const int speed_range = 151;     // speeds of -0.75..0.75 in hundredths

// Three units wide; gravity pulls while its own bottom row is free.
const speck_shape drop_shape = {3, 2};

// A quad's corners in the order of its two triangles, in units from its
// top-left corner; the texture is the blood picture's top-left 3 x 3 pixels.
const float corner_x[cblood::quad_vertices] = {0, 3, 3, 3, 0, 0};
const float corner_y[cblood::quad_vertices] = {0, 0, 3, 3, 3, 0};

float random_speed()
{
    return (std::rand() % speed_range - speed_range / 2) / 100.0f;
}

}  // namespace

bool cblood::init(float new_x, float new_y)
{
    int drop = lowest_free;
    while (drop < max_drops && life[drop] > 0)
        drop++;
    lowest_free = drop;
    if (drop == max_drops)
        return false;

    shade[drop] = 1 - std::rand() % shades * shade_step;
    life[drop] = drop_life;
    x[drop] = new_x;
    y[drop] = new_y;
    vx[drop] = random_speed();
    vy[drop] = random_speed();
    lying[drop] = false;
    lowest_free = drop + 1;
    return true;
}

void cblood::set_motion(int drop, float new_vx, float new_vy)
{
    vx[drop] = new_vx;
    vy[drop] = new_vy;
    lying[drop] = false;
}

void cblood::reset()
{
    std::fill(life, life + max_drops, 0.0f);
    std::fill(lying, lying + max_drops, false);
    quad_count = 0;
    view_x = 0;
    view_y = 0;
    vertices_built = true;
    lowest_free = 0;
    for (int v = 0; v < max_drops * quad_vertices; v++) {
        vertices[v].z = 0;
        vertices[v].u = corner_x[v % quad_vertices];
        vertices[v].v = corner_y[v % quad_vertices];
    }
}

void cblood::update()
{
    const float s = game.slow();
    view_x = static_cast<float>(map.get_xs());
    view_y = static_cast<float>(map.get_ys());
    quad_count = 0;
    for (int drop = 0; drop < max_drops; drop++) {
        if (life[drop] <= 0)
            continue;
        if (move(drop, s))
            quad_count++;
        else
            lowest_free = std::min(lowest_free, drop);
    }
    vertices_built = false;
}

bool cblood::move(int drop, float s)
{
    life[drop] -= s;
    if (life[drop] <= 0)
        return false;
    // The map never changes during a match, so a tick that began and ended
    // with the drop at rest in one place will do so at every tick after it.
    if (lying[drop])
        return true;
    const float old_x = x[drop];
    const float old_y = y[drop];
    const bool was_still = vx[drop] == 0 && vy[drop] == 0;
    if (!move_speck(x[drop], y[drop], vx[drop], vy[drop], s, drop_shape)) {
        life[drop] = 0;
        return false;
    }
    lying[drop] = was_still && vx[drop] == 0 && vy[drop] == 0 && x[drop] == old_x && y[drop] == old_y;
    return true;
}

const ALLEGRO_VERTEX* cblood::get_vertices() const
{
    build_vertices();
    return vertices;
}

void cblood::build_vertices() const
{
    if (vertices_built)
        return;
    int built = 0;
    for (int drop = 0; drop < max_drops && built < quad_count; drop++)
        if (life[drop] > 0)
            add_quad(drop, built++);
    vertices_built = true;
}

void cblood::add_quad(int drop, int built) const
{
    const float left = std::floor(x[drop]) - view_x;
    const float top = std::floor(y[drop]) - view_y;
    const ALLEGRO_COLOR colour = life[drop] > fade_ticks
        ? al_map_rgb_f(shade[drop], 0, 0)
        : al_premul_rgba_f(shade[drop], 0, 0, life[drop] / fade_ticks);
    ALLEGRO_VERTEX* quad = vertices + built * quad_vertices;
    for (int corner = 0; corner < quad_vertices; corner++) {
        quad[corner].x = left + corner_x[corner];
        quad[corner].y = top + corner_y[corner];
        quad[corner].color = colour;
    }
}

void cblood::draw() const
{
    // One call for every drop; without its picture the blood is not drawn at all.
    if (quad_count == 0 || !bblood)
        return;
    build_vertices();
    al_draw_prim(vertices, nullptr, bblood, 0, quad_count * quad_vertices, ALLEGRO_PRIM_TRIANGLE_LIST);
}

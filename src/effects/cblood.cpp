#include "effects/cblood.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/assets.h"
#include "effects/four_lanes.h"
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
    for (int first = 0; first < max_drops; first += 4)
        quad_count += update_four(first, s);
    vertices_built = false;
}

int cblood::update_four(int first, float s)
{
    // Written as the plain tick, `life <= 0` and all, so that odd values
    // take the same side of each test.
    const floats4 old_life = load4(life + first);
    const ints4 was_live = ~(old_life <= 0);
    const floats4 older = old_life - s;
    store4(life + first, was_live ? older : old_life);
    const ints4 live = was_live & ~(older <= 0);
    const ints4 died = was_live & ~live;
    if (any(died))
        for (int lane = 0; lane < 4; lane++)
            if (died[lane])
                lowest_free = std::min(lowest_free, first + lane);
    int live_after = -(live[0] + live[1] + live[2] + live[3]);
    const ints4 flying = live & ~load4(lying + first);
    if (!any(flying))
        return live_after;

    // fly_free for the four side by side, then the drops it does not settle
    // one by one.
    const floats4 x4 = load4(x + first);
    const floats4 y4 = load4(y + first);
    const floats4 vx4 = load4(vx + first);
    const floats4 vy4 = load4(vy + first);
    const floats4 fall = __builtin_convertvector(__builtin_convertvector(vy4, doubles4) + speck_gravity * s, floats4);
    const floats4 tx = x4 + s * vx4;
    const floats4 ty = y4 + s * fall;
    const int width = map.get_width();
    const int height = map.get_height();
    const ints4 left = to_ints(min4(x4, tx) - 1);
    const ints4 top = to_ints(min4(y4, ty) - 1);
    const ints4 right = to_ints(max4(x4, tx) + drop_shape.side);
    const ints4 bottom = to_ints(max4(y4, ty) + std::max(drop_shape.side, drop_shape.gravity_probe));
    const ints4 quick = flying & ((vx4 != 0) | (vy4 != 0)) & lands_on_target(x4, tx, static_cast<float>(width))
        & lands_on_target(y4, ty, static_cast<float>(height)) & (right - left < cmap::cell_size)
        & (bottom - top < cmap::cell_size) & (s > 0 ? ~ints4{} : ints4{});
    // A drop that lands on its target inside the map starts its box inside
    // it too, so only the far edges need the clamp box_free gives them.
    const ints4 last_column = width - 1 + ints4{};
    const ints4 last_row = height - 1 + ints4{};
    const ints4 box_right = right < last_column ? right : last_column;
    const ints4 box_bottom = bottom < last_row ? bottom : last_row;

    for (int lane = 0; lane < 4; lane++) {
        if (!flying[lane])
            continue;
        const int drop = first + lane;
        if (quick[lane] && cells_free(left[lane], top[lane], box_right[lane], box_bottom[lane])) {
            x[drop] = tx[lane];
            y[drop] = ty[lane];
            vy[drop] = fall[lane];
        } else if (!move(drop, s)) {
            life[drop] = 0;
            lowest_free = std::min(lowest_free, drop);
            live_after--;
        }
    }
    return live_after;
}

bool cblood::move(int drop, float s)
{
    const float old_x = x[drop];
    const float old_y = y[drop];
    const bool was_still = vx[drop] == 0 && vy[drop] == 0;
    if (!walk_speck(x[drop], y[drop], vx[drop], vy[drop], s, drop_shape))
        return false;
    // The map never changes during a match, so a tick that began and ended
    // with the drop at rest in one place will do so at every tick after it.
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

// The route overlay of the editor, toggled with Tab: an arrow from every
// waypoint for each way it can send a bot, and a shade over every free cell
// that no fighter entering at a spawn point can ever reach. It is worked out
// again whenever the cells change and no button is held.
#include "map/ceditor.h"

#include "app/input.h"
#include "app/shell.h"
#include "app/text.h"

namespace {

const ALLEGRO_COLOR out_of_reach = al_premul_rgba(60, 0, 90, 150);
const ALLEGRO_COLOR arrow_colour = al_map_rgb(255, 230, 60);
const ALLEGRO_COLOR outline = al_map_rgb(0, 0, 0);
const int legend_x = 10;
const int legend_y = 1050;

// An arrow from the cell's centre towards (dx, dy), a unit direction, in
// black under yellow so it reads on any picture.
void draw_arrow(float cx, float cy, float dx, float dy, float size)
{
    const float length = size * 0.42f, head = size * 0.16f;
    const float tip_x = cx + dx * length, tip_y = cy + dy * length;
    const float base_x = tip_x - dx * head, base_y = tip_y - dy * head;
    // The head's two back corners, across the direction.
    const float ax = base_x - dy * head, ay = base_y + dx * head;
    const float bx = base_x + dy * head, by = base_y - dx * head;
    for (int pass = 0; pass < 2; pass++) {
        const ALLEGRO_COLOR colour = pass == 0 ? outline : arrow_colour;
        const float thickness = pass == 0 ? 4.0f : 2.0f;
        al_draw_line(cx, cy, base_x, base_y, colour, thickness);
        if (pass == 0)
            al_draw_triangle(tip_x, tip_y, ax, ay, bx, by, colour, 2);
        else
            al_draw_filled_triangle(tip_x, tip_y, ax, ay, bx, by, colour);
    }
}

}  // namespace

void ceditor::route_key()
{
    if (!latches.route.pressed(al_key_down(&keyboard, ALLEGRO_KEY_TAB)))
        return;
    if (routes)
        routes.reset();
    else
        refresh_routes();
}

void ceditor::refresh_routes()
{
    routes = std::make_unique<reach_map>(width / cmap::cell_size, height / cmap::cell_size,
                                         [this](int column, int row) { return cells[column][row]; });
    routes_stale = false;
}

void ceditor::draw_routes() const
{
    if (!routes)
        return;
    const float size = static_cast<float>(zoom_sizes[zoom]);
    for (int column = 0; column < columns_shown(); column++)
        for (int row = 0; row < rows_shown(); row++) {
            const float x = column * size, y = row * size;
            const int code = cells[column][row];
            if (!cell_code::solid(code) && !routes->reached(column, row))
                al_draw_filled_rectangle(x, y, x + size, y + size, out_of_reach);
            const int ways = code > 0 ? reach_map::headings(cell_code::marker(code)) : 0;
            const float cx = x + size / 2, cy = y + size / 2;
            if (ways & reach_map::jump_heading)
                draw_arrow(cx, cy, 0, -1, size);
            if (ways & reach_map::right_heading)
                draw_arrow(cx, cy, 1, 0, size);
            if (ways & reach_map::left_heading)
                draw_arrow(cx, cy, -1, 0, size);
        }
    draw_text(al_map_rgb(255, 255, 255), "ROUTES (TAB): ARROWS SHOW WHERE WAYPOINTS SEND BOTS, SHADED CELLS ARE OUT OF REACH",
              legend_x, legend_y, false);
}

// The view of the map: scroll position, cell look-up, and drawing the sky and
// the two tile layers, from the view's pictures (cmap_pieces.cpp) when every
// tile fits its cell.
//
// Any scroll position draws safely: cells outside the grid are empty, and
// where the map does not reach a screen edge the sky's colour fills the gap.
// A map smaller than the screen is therefore shown centred (its scroll from
// `init` is negative) on its own sky.
#include "map/cmap.h"
#include "app/logical_screen.h"

#include <algorithm>

namespace {

const int screen_width = logical_width;
const int screen_height = logical_height;

// Division and remainder rounding down, so that a negative scroll still
// finds the cell under the screen's corner and a remainder in 0..39.
int floor_div(int value, int divisor)
{
    int quotient = value / divisor;
    return (value % divisor < 0) ? quotient - 1 : quotient;
}

int floor_mod(int value, int divisor)
{
    int remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

int back_field(int code)
{
    return cell_code::back_picture(code);
}

int wall_field(int code)
{
    return cell_code::wall_picture(code);
}

bool pictures_fit_cells(ALLEGRO_BITMAP* const (&pictures)[2][cmap::max_pictures])
{
    for (const auto& layer : pictures)
        for (ALLEGRO_BITMAP* tile : layer)
            if (tile && (al_get_bitmap_width(tile) > cmap::cell_size ||
                         al_get_bitmap_height(tile) > cmap::cell_size))
                return false;
    return true;
}

}  // namespace

void cmap::set_screen(int x, int y)
{
    xs = x;
    ys = y;
}

int cmap::cell(int column, int row) const
{
    if (column < 0 || column >= width / cell_size || row < 0 || row >= height / cell_size)
        return 0;
    return cells[column][row];
}

ALLEGRO_BITMAP* cmap::picture(int layer, int n) const
{
    if (n < 1 || n > max_pictures)
        return nullptr;
    return tile_bitmaps[layer][n - 1];
}

// The sky runs from the top colour at the map's top edge to the bottom colour
// at its bottom edge, across the whole screen width. Only its part on the
// screen is drawn, so a far scroll costs no more than a near one.
void cmap::draw_sky() const
{
    const double top = -static_cast<double>(ys);
    const double bottom = static_cast<double>(height) - static_cast<double>(ys);
    const float upper = static_cast<float>(std::clamp(top, 0.0, double(screen_height)));
    const float lower = static_cast<float>(std::clamp(bottom, 0.0, double(screen_height)));
    const ALLEGRO_COLOR top_colour = backdrop[0].color;
    const ALLEGRO_COLOR bottom_colour = backdrop[3].color;

    // Above or below a map that does not reach the screen's edge.
    if (upper > 0)
        al_draw_filled_rectangle(0, 0, screen_width, upper, top_colour);
    if (lower < screen_height)
        al_draw_filled_rectangle(0, lower, screen_width, screen_height, bottom_colour);
    if (lower <= upper)
        return;

    auto colour_at = [&](float y) {
        const float t = static_cast<float>((y - top) / (bottom - top));
        return al_map_rgba_f(top_colour.r + (bottom_colour.r - top_colour.r) * t,
                             top_colour.g + (bottom_colour.g - top_colour.g) * t,
                             top_colour.b + (bottom_colour.b - top_colour.b) * t,
                             top_colour.a + (bottom_colour.a - top_colour.a) * t);
    };
    ALLEGRO_VERTEX quad[4];
    for (int i = 0; i < 4; i++)
        quad[i] = backdrop[i];
    quad[0].y = quad[1].y = upper;
    quad[2].y = quad[3].y = lower;
    quad[0].color = quad[1].color = colour_at(upper);
    quad[2].color = quad[3].color = colour_at(lower);
    al_draw_prim(quad, nullptr, nullptr, 0, 4, ALLEGRO_PRIM_TRIANGLE_FAN);
}

// Pictures that fit their cells never overlap, so each cell's look is its
// own, and drawn once into the view's pictures (cmap_pieces.cpp). The sky
// around a map that does not cover the screen is drawn as it shows.
void cmap::draw() const
{
    if (!pictures_fit_cells(tile_bitmaps)) {
        draw_sky();
        draw_tiles();
        return;
    }
    const long long left = xs, top = ys;
    if (left < 0 || top < 0 || left + screen_width > width || top + screen_height > height)
        draw_sky();
    // As far as the tiles reach: a cell cut at the screen's edge is drawn whole.
    const long long first_x = static_cast<long long>(floor_div(xs, cell_size)) * cell_size;
    const long long first_y = static_cast<long long>(floor_div(ys, cell_size)) * cell_size;
    const long long columns = screen_width / cell_size + (floor_mod(xs, cell_size) ? 1 : 0);
    const long long rows = screen_height / cell_size + (floor_mod(ys, cell_size) ? 1 : 0);
    draw_pieces(first_x, first_y, first_x + columns * cell_size, first_y + rows * cell_size);
}

// A picture larger than its cell overlaps its neighbours, and then the cell
// order decides what shows.
void cmap::draw_tiles() const
{
    // One more column or row whenever a cell is cut at the screen's edge.
    const int ox = floor_mod(xs, cell_size);
    const int oy = floor_mod(ys, cell_size);
    const int columns = screen_width / cell_size + (ox ? 1 : 0);
    const int rows = screen_height / cell_size + (oy ? 1 : 0);
    const int first_column = floor_div(xs, cell_size);
    const int first_row = floor_div(ys, cell_size);
    for (int i = 0; i < columns; i++) {
        for (int j = 0; j < rows; j++) {
            const int code = cell(first_column + i, first_row + j);
            const float x = static_cast<float>(i * cell_size - ox);
            const float y = static_cast<float>(j * cell_size - oy);
            if (ALLEGRO_BITMAP* back = picture(0, back_field(code)))
                al_draw_bitmap(back, x, y, 0);
            if (ALLEGRO_BITMAP* wall = picture(1, wall_field(code)))
                al_draw_bitmap(wall, x, y, 0);
        }
    }
}

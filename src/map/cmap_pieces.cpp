// The view's pictures: the sky and both tile layers drawn once into pieces of
// up to a logical screen each, so that a frame copies the few pieces on screen
// instead of sending some 2,700 tiles. Drawing a whole piece takes several
// frames' time, so the pieces the view is about to reach are drawn a few
// rows a frame beforehand; a piece that shows before it is done is finished
// at once. A cell that changes is drawn again, alone, into its piece before
// the next frame. The pieces go when the map is read again or the display
// changes.
#include "map/cmap.h"
#include "app/logical_screen.h"
#include "app/opaque_copy.h"

#include <algorithm>

namespace {

// About 130 MB of pictures: the largest maps are not kept whole.
const int most_pieces_kept = 16;

// Pieces within this share of a piece beyond the screen's edge are drawn
// ahead, a few cell rows a frame: a row of a piece is some 48 tiles of each
// layer.
const int ahead_share = 4;
const int rows_a_frame = 2;

// The largest picture the display takes, rounded down to whole cells, and no
// larger than the screen; memory pictures have no limit.
int piece_size(int screen_size)
{
    ALLEGRO_DISPLAY* display = al_get_current_display();
    int size = screen_size;
    if (display) {
        const int largest = al_get_display_option(display, ALLEGRO_MAX_BITMAP_SIZE);
        if (largest > 0)
            size = std::min(size, largest / cmap::cell_size * cmap::cell_size);
    }
    return std::max(size, static_cast<int>(cmap::cell_size));
}

}  // namespace

void cmap::forget_pieces() const
{
    for (const auto* pictures : {&pieces.pictures, &pieces.halves})
        for (ALLEGRO_BITMAP* picture : *pictures)
            if (picture)
                al_destroy_bitmap(picture);
    pieces = view_pieces{};
}

// A grid of pieces over the map, made for the display they are drawn on.
void cmap::lay_out_pieces() const
{
    forget_pieces();
    pieces.display = al_get_current_display();
    pieces.width = piece_size(logical_width);
    pieces.height = piece_size(logical_height);
    pieces.columns = (width + pieces.width - 1) / pieces.width;
    pieces.rows = (height + pieces.height - 1) / pieces.height;
    pieces.pictures.assign(static_cast<size_t>(pieces.columns) * pieces.rows, nullptr);
    pieces.shown_at.assign(pieces.pictures.size(), 0);
    pieces.painted_rows.assign(pieces.pictures.size(), 0);
    pieces.halves.assign(pieces.pictures.size() * view_pieces::ways_to_fall, nullptr);
    pieces.half_shown_at.assign(pieces.halves.size(), 0);
}

void cmap::note_changed_cell(int column, int row)
{
    pieces.changed_cells.push_back({column, row});
}

// Paints map area [left, right) x [top, bottom), whole cells but for the map's
// last part column or row, into `piece`, whose corner is map point (x, y): the
// sky first, then the back layer and the walls, picture by picture.
void cmap::paint(ALLEGRO_BITMAP* piece, int x, int y, int left, int top, int right, int bottom) const
{
    ALLEGRO_STATE state;
    al_store_state(&state, ALLEGRO_STATE_TARGET_BITMAP | ALLEGRO_STATE_BLENDER);
    al_set_target_bitmap(piece);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_INVERSE_ALPHA);
    al_set_clipping_rectangle(left - x, top - y, right - left, bottom - top);

    // The sky's colour at a map height: the gradient runs over the map's height.
    auto sky_at = [this](int map_y) {
        const ALLEGRO_COLOR above = backdrop[0].color;
        const ALLEGRO_COLOR below = backdrop[3].color;
        const float t = static_cast<float>(map_y) / static_cast<float>(height);
        return al_map_rgba_f(above.r + (below.r - above.r) * t, above.g + (below.g - above.g) * t,
                             above.b + (below.b - above.b) * t, above.a + (below.a - above.a) * t);
    };
    const float l = static_cast<float>(left - x), r = static_cast<float>(right - x);
    const float t = static_cast<float>(top - y), b = static_cast<float>(bottom - y);
    ALLEGRO_VERTEX quad[4] = {{l, t, 0, 0, 0, sky_at(top)}, {r, t, 0, 0, 0, sky_at(top)},
                              {r, b, 0, 0, 0, sky_at(bottom)}, {l, b, 0, 0, 0, sky_at(bottom)}};
    al_draw_prim(quad, nullptr, nullptr, 0, 4, ALLEGRO_PRIM_TRIANGLE_FAN);

    const int first_column = left / cell_size, last_column = (right - 1) / cell_size;
    const int first_row = top / cell_size, last_row = (bottom - 1) / cell_size;
    al_hold_bitmap_drawing(true);
    for (int layer = 0; layer < 2; layer++) {
        for (int n = 1; n <= max_pictures; n++) {
            ALLEGRO_BITMAP* tile = picture(layer, n);
            if (!tile)
                continue;
            for (int column = first_column; column <= last_column; column++) {
                for (int row = first_row; row <= last_row; row++) {
                    const int code = cell(column, row);
                    const int shown = layer == 0 ? cell_code::back_picture(code) : cell_code::wall_picture(code);
                    if (shown == n)
                        al_draw_bitmap(tile, static_cast<float>(column * cell_size - x),
                                       static_cast<float>(row * cell_size - y), 0);
                }
            }
        }
    }
    al_hold_bitmap_drawing(false);
    al_restore_state(&state);
}

size_t cmap::longest_unseen(const std::vector<ALLEGRO_BITMAP*>& pictures, const std::vector<unsigned>& shown_at,
                            unsigned frame)
{
    size_t oldest = pictures.size();
    for (size_t i = 0; i < pictures.size(); i++)
        if (pictures[i] && shown_at[i] != frame && (oldest == pictures.size() || shown_at[i] < shown_at[oldest]))
            oldest = i;
    return oldest;
}

void cmap::forget_longest_unseen_piece() const
{
    const size_t oldest = longest_unseen(pieces.pictures, pieces.shown_at, pieces.frame);
    if (oldest == pieces.pictures.size())
        return;
    al_destroy_bitmap(pieces.pictures[oldest]);
    pieces.pictures[oldest] = nullptr;
    pieces.kept--;
    forget_halves(oldest);
}

// The picture of piece (column, row), made blank if it was not kept; null
// when no picture can be made.
ALLEGRO_BITMAP* cmap::made_piece(int column, int row) const
{
    const size_t index = static_cast<size_t>(row) * pieces.columns + column;
    pieces.shown_at[index] = pieces.frame;
    ALLEGRO_BITMAP*& kept = pieces.pictures[index];
    if (kept)
        return kept;
    if (pieces.kept >= most_pieces_kept)
        forget_longest_unseen_piece();
    const int x = column * pieces.width, y = row * pieces.height;
    kept = al_create_bitmap(std::min(width, x + pieces.width) - x, std::min(height, y + pieces.height) - y);
    pieces.painted_rows[index] = 0;
    if (kept)
        pieces.kept++;
    return kept;
}

// Cell rows in the pieces of grid row `row`: the last may be cut short.
int cmap::piece_cell_rows(int row) const
{
    const int y = row * pieces.height;
    return (std::min(height, y + pieces.height) - y + cell_size - 1) / cell_size;
}

// Paints piece (column, row) down to `rows_wanted` cell rows from its top.
void cmap::paint_rows(int column, int row, int rows_wanted) const
{
    ALLEGRO_BITMAP* kept = made_piece(column, row);
    int& painted = pieces.painted_rows[static_cast<size_t>(row) * pieces.columns + column];
    rows_wanted = std::min(rows_wanted, piece_cell_rows(row));
    if (!kept || painted >= rows_wanted)
        return;
    const int x = column * pieces.width, y = row * pieces.height;
    const int right = x + al_get_bitmap_width(kept), bottom = y + al_get_bitmap_height(kept);
    paint(kept, x, y, x, y + painted * cell_size, right, std::min(bottom, y + rows_wanted * cell_size));
    painted = rows_wanted;
}

// Piece (column, row), finished if it was not; null when no picture can be made.
ALLEGRO_BITMAP* cmap::piece(int column, int row) const
{
    paint_rows(column, row, piece_cell_rows(row));
    return pieces.pictures[static_cast<size_t>(row) * pieces.columns + column];
}

// Cells changed since the last frame are painted again into the rows painted
// so far; the rows not painted yet will show them when they are.
void cmap::repaint_changed_cells() const
{
    for (const cell_spot& spot : pieces.changed_cells) {
        const int x = spot.column * cell_size, y = spot.row * cell_size;
        const int column = x / pieces.width, row = y / pieces.height;
        const size_t index = static_cast<size_t>(row) * pieces.columns + column;
        ALLEGRO_BITMAP* kept = pieces.pictures[index];
        forget_halves(index);
        if (kept && (y - row * pieces.height) / cell_size < pieces.painted_rows[index])
            paint(kept, column * pieces.width, row * pieces.height, x, y, std::min(width, x + cell_size),
                  std::min(height, y + cell_size));
    }
    pieces.changed_cells.clear();
}

// Paints a few more rows of the first unfinished piece near map area
// [left, right) x [top, bottom), and keeps every piece near it.
void cmap::prepaint_near(long long left, long long top, long long right, long long bottom) const
{
    const long long margin_x = pieces.width / ahead_share, margin_y = pieces.height / ahead_share;
    const int first_column = static_cast<int>(std::max(0LL, (left - margin_x) / pieces.width));
    const int first_row = static_cast<int>(std::max(0LL, (top - margin_y) / pieces.height));
    const int last_column = static_cast<int>(std::min<long long>(pieces.columns - 1, (right + margin_x) / pieces.width));
    const int last_row = static_cast<int>(std::min<long long>(pieces.rows - 1, (bottom + margin_y) / pieces.height));
    bool painted = false;
    pieces.unfinished_near = 0;
    for (int row = first_row; row <= last_row; row++) {
        for (int column = first_column; column <= last_column; column++) {
            const size_t index = static_cast<size_t>(row) * pieces.columns + column;
            pieces.shown_at[index] = pieces.frame;
            if (!painted && (!pieces.pictures[index] || pieces.painted_rows[index] < piece_cell_rows(row))) {
                paint_rows(column, row, pieces.painted_rows[index] + rows_a_frame);
                painted = true;
            }
            if (!pieces.pictures[index] || pieces.painted_rows[index] < piece_cell_rows(row))
                pieces.unfinished_near++;
        }
    }
}

// Copies map area [left, right) x [top, bottom) from the pieces to the screen,
// the map's corner at screen point (-xs, -ys).
void cmap::draw_pieces(long long left, long long top, long long right, long long bottom) const
{
    if (pieces.display != al_get_current_display() || pieces.pictures.empty())
        lay_out_pieces();
    repaint_changed_cells();
    pieces.frame++;
    left = std::max(left, 0LL);
    top = std::max(top, 0LL);
    right = std::min(right, static_cast<long long>(width));
    bottom = std::min(bottom, static_cast<long long>(height));
    if (left >= right || top >= bottom)
        return;
    prepaint_near(left, top, right, bottom);
    if (copy_halves(left, top, right, bottom))
        return;

    for (int row = static_cast<int>(top / pieces.height); row * pieces.height < bottom; row++) {
        for (int column = static_cast<int>(left / pieces.width); column * pieces.width < right; column++) {
            ALLEGRO_BITMAP* shown = piece(column, row);
            if (!shown)
                continue;
            const long long x = column * pieces.width, y = row * pieces.height;
            const long long from_x = std::max(left, x), from_y = std::max(top, y);
            const long long to_x = std::min(right, x + al_get_bitmap_width(shown));
            const long long to_y = std::min(bottom, y + al_get_bitmap_height(shown));
            copy_opaque_region(shown, static_cast<int>(from_x - x), static_cast<int>(from_y - y),
                               static_cast<int>(to_x - from_x), static_cast<int>(to_y - from_y),
                               static_cast<int>(from_x - xs), static_cast<int>(from_y - ys));
        }
    }
}

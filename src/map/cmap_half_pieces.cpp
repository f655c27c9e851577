// The view's pictures at half size, for the 960 x 540 window. There a frame
// shows each screen pixel as the mean of two by two pixels of a piece, and
// which two by two depends on whether the scroll is odd or even. So each
// piece is shrunk once for each of the four ways the scroll can fall, just as
// a frame would shrink it, and a frame then copies pixels one for one, which
// takes the renderer half the time or less.
#include "map/cmap.h"
#include "app/opaque_copy.h"

#include <algorithm>

namespace {

const size_t most_halves_kept = 16;  // 2 MB each

// Whether drawing shrinks units to exactly half a pixel and moves nothing,
// on a target without multisampling, whose edges would blend.
bool half_scale_view()
{
    const ALLEGRO_TRANSFORM* current = al_get_current_transform();
    if (!current)
        return false;
    const float (&m)[4][4] = current->m;
    if (m[0][0] != 0.5f || m[1][1] != 0.5f || m[0][1] != 0 || m[1][0] != 0 || m[3][0] != 0 || m[3][1] != 0)
        return false;
    ALLEGRO_DISPLAY* display = al_get_current_display();
    return !display || al_get_display_option(display, ALLEGRO_SAMPLE_BUFFERS) == 0;
}

long long odd(long long value)
{
    return value & 1;
}

// The last whole number at or below value / 2, and the first at or above it.
long long half_down(long long value)
{
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

long long half_up(long long value)
{
    return half_down(value + 1);
}

}  // namespace

void cmap::forget_halves(size_t piece_index) const
{
    for (size_t i = piece_index * view_pieces::ways_to_fall; i < (piece_index + 1) * view_pieces::ways_to_fall; i++) {
        if (pieces.halves[i]) {
            al_destroy_bitmap(pieces.halves[i]);
            pieces.halves[i] = nullptr;
            pieces.halves_kept--;
        }
    }
}

void cmap::forget_longest_unseen_half() const
{
    const size_t oldest = longest_unseen(pieces.halves, pieces.half_shown_at, pieces.frame);
    if (oldest == pieces.halves.size())
        return;
    al_destroy_bitmap(pieces.halves[oldest]);
    pieces.halves[oldest] = nullptr;
    pieces.halves_kept--;
}

// Piece (column, row) shrunk to half for a scroll falling the `way` given
// (1: odd across, 2: odd down); null when no picture can be made.
ALLEGRO_BITMAP* cmap::half_piece(int column, int row, int way) const
{
    const size_t index = (static_cast<size_t>(row) * pieces.columns + column) * view_pieces::ways_to_fall + way;
    pieces.half_shown_at[index] = pieces.frame;
    ALLEGRO_BITMAP*& kept = pieces.halves[index];
    if (kept)
        return kept;
    ALLEGRO_BITMAP* whole = piece(column, row);
    if (!whole)
        return nullptr;
    if (static_cast<size_t>(pieces.halves_kept) >= most_halves_kept)
        forget_longest_unseen_half();
    kept = al_create_bitmap(al_get_bitmap_width(whole) / 2, al_get_bitmap_height(whole) / 2);
    if (!kept)
        return nullptr;
    pieces.halves_kept++;

    // Piece pixel u lands where a frame puts it: half a pixel on across when
    // the scroll is odd, and half a pixel back down, where a pixel whose middle
    // lies on the edge between two pieces belongs to the upper one.
    ALLEGRO_STATE state;
    al_store_state(&state, ALLEGRO_STATE_TARGET_BITMAP | ALLEGRO_STATE_BLENDER);
    al_set_target_bitmap(kept);
    ALLEGRO_TRANSFORM shrink;
    al_identity_transform(&shrink);
    al_scale_transform(&shrink, 0.5f, 0.5f);
    al_translate_transform(&shrink, (way & 1) * 0.5f, (way >> 1) * -0.5f);
    al_use_transform(&shrink);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    al_draw_bitmap(whole, 0, 0, 0);
    al_restore_state(&state);
    return kept;
}

// Shrinks one more piece on screen for a way the scroll has not fallen yet,
// so that a step that makes it odd or even does not wait for it.
void cmap::shrink_ahead(long long left, long long top, long long right, long long bottom) const
{
    for (int row = static_cast<int>(top / pieces.height); row * pieces.height < bottom; row++) {
        for (int column = static_cast<int>(left / pieces.width); column * pieces.width < right; column++) {
            const size_t first = (static_cast<size_t>(row) * pieces.columns + column) * view_pieces::ways_to_fall;
            for (int way = 0; way < view_pieces::ways_to_fall; way++) {
                if (!pieces.halves[first + static_cast<size_t>(way)]) {
                    half_piece(column, row, way);
                    return;
                }
            }
        }
    }
}

// Copies map area [left, right) x (top, bottom] at half scale from the
// halves: the screen pixels whose middles lie in it, as a frame would draw
// them. False, and nothing drawn, when the view is not at half scale.
bool cmap::copy_halves(long long left, long long top, long long right, long long bottom) const
{
    if (!half_scale_view())
        return false;
    const long long odd_x = odd(xs), odd_y = odd(ys);
    const int way = static_cast<int>(odd_x + 2 * odd_y);
    // Screen pixel (i, j) has its middle at map point (xs + 2i + 1, ys + 2j + 1).
    const long long first_i = half_up(left - xs - 1), end_i = half_up(right - xs - 1);
    const long long first_j = half_down(top - ys - 1) + 1, end_j = half_down(bottom - ys - 1) + 1;

    const ALLEGRO_TRANSFORM view = *al_get_current_transform();
    ALLEGRO_TRANSFORM pixels;
    al_identity_transform(&pixels);
    al_use_transform(&pixels);
    for (int row = static_cast<int>(top / pieces.height); row * pieces.height < bottom; row++) {
        for (int column = static_cast<int>(left / pieces.width); column * pieces.width < right; column++) {
            ALLEGRO_BITMAP* shown = half_piece(column, row, way);
            if (!shown)
                continue;
            // The half's first pixel on the screen; the differences are even.
            const long long i0 = (static_cast<long long>(column) * pieces.width - xs - odd_x) / 2;
            const long long j0 = (static_cast<long long>(row) * pieces.height - ys + odd_y) / 2;
            const long long from_i = std::max(first_i, i0), to_i = std::min(end_i, i0 + al_get_bitmap_width(shown));
            const long long from_j = std::max(first_j, j0), to_j = std::min(end_j, j0 + al_get_bitmap_height(shown));
            if (from_i < to_i && from_j < to_j)
                copy_opaque_region(shown, static_cast<int>(from_i - i0), static_cast<int>(from_j - j0),
                                   static_cast<int>(to_i - from_i), static_cast<int>(to_j - from_j),
                                   static_cast<int>(from_i), static_cast<int>(from_j));
        }
    }
    shrink_ahead(left, top, right, bottom);
    al_use_transform(&view);
    return true;
}

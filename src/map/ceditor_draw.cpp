// One frame of the editor: the map from the screen's top-left corner at the
// zoom's cell size (sky, then each cell's back picture, wall picture and
// marker), its grid, then the leave dialog or the brush under the pointer,
// the fading zoom text and any message.
#include "map/ceditor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/assets.h"
#include "app/logical_screen.h"
#include "app/pointer.h"
#include "app/shell.h"
#include "app/text.h"

namespace {

const int screen_width = logical_width;
const int screen_height = logical_height;
const float dialog_x = 560;
const float dialog_y = 465;
const int zoom_text_x = 10;
const int zoom_text_y = 10;
const int message_top = 50;
const int line_spacing = 26;
// Below this many steps left a text fades out, one alpha step per step.
const int fade_ticks = 255;

// Source picture (0, 0, 40, 40) into the on-screen square of a cell.
void draw_in_cell(ALLEGRO_BITMAP* picture, float x, float y, float size)
{
    if (picture)
        al_draw_scaled_bitmap(picture, 0, 0, cmap::cell_size, cmap::cell_size, x, y, size, size,
                              0);
}

// White, opaque until the last steps, then fading with them.
ALLEGRO_COLOR fading_white(int ticks_left)
{
    if (ticks_left >= fade_ticks)
        return al_map_rgb(255, 255, 255);
    return al_premul_rgba(255, 255, 255, static_cast<unsigned char>(ticks_left));
}

// A frame of black and white, seen on any map.
void draw_frame(float left, float top, float size)
{
    al_draw_rectangle(left - 0.5f, top - 0.5f, left + size + 0.5f, top + size + 0.5f, al_map_rgb(0, 0, 0), 1);
    al_draw_rectangle(left + 0.5f, top + 0.5f, left + size - 0.5f, top + size - 0.5f, al_map_rgb(255, 255, 255), 1);
}

ALLEGRO_BITMAP* waypoint_picture(int kind)
{
    return kind >= 1 && kind <= ceditor::marker_kinds ? bwaypoints[kind - 1] : nullptr;
}

}  // namespace

void ceditor::draw() const
{
    al_clear_to_color(al_map_rgb(0, 0, 0));
    draw_sky();
    draw_cells();
    draw_grid();
    draw_routes();
    if (quit != editing) {
        if (beditor)
            al_draw_bitmap(beditor, dialog_x, dialog_y, 0);
    } else {
        draw_brush();
    }
    draw_zoom_text();
    draw_message();
    show_frame();
}

// Only the cells on the screen are drawn: a big map at full size shows its
// top-left part.
int ceditor::columns_shown() const
{
    const int size = zoom_sizes[zoom];
    return std::min(width / cmap::cell_size, (screen_width + size - 1) / size);
}

int ceditor::rows_shown() const
{
    const int size = zoom_sizes[zoom];
    return std::min(height / cmap::cell_size, (screen_height + size - 1) / size);
}

// The sky gradient over exactly the map's area on the screen.
void ceditor::draw_sky() const
{
    const float size = static_cast<float>(zoom_sizes[zoom]);
    const float right = static_cast<float>(width / cmap::cell_size) * size;
    const float bottom = static_cast<float>(height / cmap::cell_size) * size;
    ALLEGRO_VERTEX quad[4];
    std::memcpy(quad, backdrop, sizeof quad);
    quad[1].x = quad[2].x = right;
    quad[2].y = quad[3].y = bottom;
    al_draw_prim(quad, nullptr, nullptr, 0, 4, ALLEGRO_PRIM_TRIANGLE_FAN);
}

void ceditor::draw_cells() const
{
    const int size = zoom_sizes[zoom];
    const float s = static_cast<float>(size);
    for (int column = 0; column < columns_shown(); column++) {
        for (int row = 0; row < rows_shown(); row++) {
            const int code = cells[column][row];
            if (code <= 0)
                continue;
            const float x = static_cast<float>(column * size);
            const float y = static_cast<float>(row * size);
            const int back = cell_code::back_picture(code);
            const int wall = cell_code::wall_picture(code);
            if (back >= 1 && back <= picture_counts[back_layer])
                draw_in_cell(tile_bitmaps[back_layer][back - 1], x, y, s);
            if (wall >= 1 && wall <= picture_counts[wall_layer])
                draw_in_cell(tile_bitmaps[wall_layer][wall - 1], x, y, s);
            draw_in_cell(waypoint_picture(cell_code::marker(code)), x, y, s);
        }
    }
}

// Lines every cell apart over a square of the map's size in screen units,
// whatever the zoom: zoomed out, the grid reaches past the map's cells, so
// the map's size stays in view. The fainter the smaller the cells; a dark
// line beside each light one keeps the grid visible over pale skies too.
void ceditor::draw_grid() const
{
    const int size = zoom_sizes[zoom];
    const unsigned char alpha = static_cast<unsigned char>((2 * size) % 256);
    const ALLEGRO_COLOR light = al_premul_rgba(255, 255, 255, alpha);
    const ALLEGRO_COLOR dark = al_premul_rgba(0, 0, 0, alpha);
    const float right = static_cast<float>(std::min(width, screen_width));
    const float bottom = static_cast<float>(std::min(height, screen_height));
    const int columns = std::min(width, screen_width + size - 1) / size;
    const int rows = std::min(height, screen_height + size - 1) / size;
    for (int i = 0; i < columns; i++) {
        const float x = static_cast<float>(size * i + 1);
        al_draw_line(x, 0, x, bottom, light, 0);
        al_draw_line(x + 1, 0, x + 1, bottom, dark, 0);
    }
    for (int j = 0; j < rows; j++) {
        const float y = static_cast<float>(size * j + 1);
        al_draw_line(0, y, right, y, light, 0);
        al_draw_line(0, y + 1, right, y + 1, dark, 0);
    }
}

// The chosen picture or marker in a cell-sized square whose bottom-right
// corner is the pointer, and a frame round the cell a click paints.
void ceditor::draw_brush() const
{
    ALLEGRO_BITMAP* picture = nullptr;
    if (brush_layer == marker_layer)
        picture = waypoint_picture(selection + 1);
    else if (selection >= 0 && selection < picture_counts[brush_layer])
        picture = tile_bitmaps[brush_layer][selection];
    const int cell = zoom_sizes[zoom];
    const float size = static_cast<float>(cell);
    const float x = pointer_x();
    const float y = pointer_y();
    if (x >= 0 && y >= 0)
        draw_frame(static_cast<float>(static_cast<int>(x) / cell * cell),
                   static_cast<float>(static_cast<int>(y) / cell * cell), size);
    draw_in_cell(picture, x - size, y - size, size);
}

void ceditor::draw_zoom_text() const
{
    if (zoom_timer <= 0)
        return;
    char text[32];
    std::snprintf(text, sizeof text, "Zoom: %.1f%%", zoom_sizes[zoom] * 100.0 / cmap::cell_size);
    draw_text(fading_white(zoom_timer), text, zoom_text_x, zoom_text_y, false);
}

// Each line centred on a dark band, so that it reads over any map.
void ceditor::draw_message() const
{
    if (message_timer <= 0 || message[0] == '\0')
        return;
    const ALLEGRO_COLOR band =
        al_premul_rgba(0, 0, 0, static_cast<unsigned char>(std::min(message_timer, 200)));
    const ALLEGRO_COLOR white = fading_white(message_timer);
    const char* line = message;
    for (int y = message_top; *line != '\0'; y += line_spacing) {
        const char* end = std::strchr(line, '\n');
        const size_t length = end ? static_cast<size_t>(end - line) : std::strlen(line);
        char shown[200];
        const size_t kept = std::min(length, sizeof shown - 1);
        std::memcpy(shown, line, kept);
        shown[kept] = '\0';
        const int w = text_width(static_cast<int>(kept), false);
        const int x = (screen_width - w) / 2;
        al_draw_filled_rectangle(x - 8, y - 3, x + w + 8, y + line_spacing - 2, band);
        draw_text(white, shown, x, y, false);
        line += length;
        if (*line == '\n')
            line++;
    }
}

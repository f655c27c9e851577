// Drawing a map into memory bitmaps and saving them as PNG files.
#include "map_picture.h"

#include <cstdio>
#include <string>

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>

#include "map/cmap.h"

namespace {

const int screen_width = 1920;
const int screen_height = 1080;
const int waypoint_kinds = 16;

ALLEGRO_BITMAP* new_canvas(int width, int height)
{
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* canvas = al_create_bitmap(width, height);
    if (canvas) {
        al_set_target_bitmap(canvas);
        al_clear_to_color(al_map_rgb(0, 0, 0));
    }
    return canvas;
}

bool save(ALLEGRO_BITMAP* canvas, const char* png_path)
{
    bool saved = al_save_bitmap(png_path, canvas);
    if (!saved)
        std::fprintf(stderr, "zk3_mapmake: cannot write %s\n", png_path);
    return saved;
}

// The editor's waypoint pictures, png/waypoint_<kind>.png, half transparent.
void draw_markers(const cmap& map_to_draw)
{
    ALLEGRO_BITMAP* pictures[waypoint_kinds + 1] = {};
    for (int kind = 1; kind <= waypoint_kinds; kind++)
        pictures[kind] = al_load_bitmap(("png/waypoint_" + std::to_string(kind) + ".png").c_str());
    const int size = cmap::cell_size;
    for (int y = 0; y < map_to_draw.get_height(); y += size) {
        for (int x = 0; x < map_to_draw.get_width(); x += size) {
            int kind = map_to_draw.get_map(x, y) % 100;
            if (kind >= 1 && kind <= waypoint_kinds && pictures[kind])
                al_draw_tinted_bitmap(pictures[kind], al_map_rgba_f(0.8f, 0.8f, 0.8f, 0.8f), x, y, 0);
        }
    }
    for (ALLEGRO_BITMAP* picture : pictures)
        if (picture)
            al_destroy_bitmap(picture);
}

}  // namespace

bool save_view_picture(const cmap& map_to_draw, const char* png_path)
{
    ALLEGRO_BITMAP* canvas = new_canvas(screen_width, screen_height);
    if (!canvas)
        return false;
    map_to_draw.draw();
    bool saved = save(canvas, png_path);
    al_destroy_bitmap(canvas);
    return saved;
}

bool save_whole_picture(cmap& map_to_draw, const char* png_path, float scale, bool markers)
{
    const int width = map_to_draw.get_width();
    const int height = map_to_draw.get_height();
    ALLEGRO_BITMAP* whole = new_canvas(width, height);
    if (!whole)
        return false;
    // One screen after another, each moved to its place on the whole map.
    ALLEGRO_TRANSFORM place;
    for (int y = 0; y < height; y += screen_height) {
        for (int x = 0; x < width; x += screen_width) {
            map_to_draw.set_screen(x, y);
            al_identity_transform(&place);
            al_translate_transform(&place, static_cast<float>(x), static_cast<float>(y));
            al_use_transform(&place);
            map_to_draw.draw();
        }
    }
    al_identity_transform(&place);
    al_use_transform(&place);
    if (markers)
        draw_markers(map_to_draw);

    const int scaled_width = static_cast<int>(width * scale);
    const int scaled_height = static_cast<int>(height * scale);
    ALLEGRO_BITMAP* scaled = new_canvas(scaled_width, scaled_height);
    bool saved = false;
    if (scaled) {
        al_draw_scaled_bitmap(whole, 0, 0, width, height, 0, 0, scaled_width, scaled_height, 0);
        saved = save(scaled, png_path);
        al_destroy_bitmap(scaled);
    }
    al_destroy_bitmap(whole);
    return saved;
}

// Reading the match's map from a map file: the shared reader checks every
// word, then the map keeps the size, sky, cells and spawn points, centres its
// view and loads its pictures.
#include "map/cmap.h"

#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/logical_screen.h"
#include "map/map_file.h"

bool cmap::read_file(const char* path)
{
    std::ifstream file(path);
    bool accepted = file.is_open() ? read(file, path) : refuse("%s: cannot open the file", path);
    print_messages();
    return accepted;
}

bool cmap::read(std::istream& in, const char* file_name)
{
    clear();
    error[0] = '\0';
    map_header header;
    std::string why;
    if (!read_map_file(in, file_name, header, cells, why))
        return refuse("%s", why.c_str());
    width = header.width;
    height = header.height;
    sky = sky_of(header);
    build_backdrop();
    nsp = header.nsp;
    for (int i = 0; i < nsp; i++) {
        spx[i] = header.spx[i];
        spy[i] = header.spy[i];
    }
    // Centred; on a map smaller than the screen the scroll is negative.
    xs = width / 2 - logical_width / 2;
    ys = height / 2 - logical_height / 2;
    std::snprintf(warning, sizeof warning, "%s",
                  load_map_pictures(header, tile_bitmaps, file_name).c_str());
    return true;
}

void cmap::deinit()
{
    forget_pieces();
    for (auto& layer : tile_bitmaps) {
        for (ALLEGRO_BITMAP*& picture : layer) {
            if (picture)
                al_destroy_bitmap(picture);
            picture = nullptr;
        }
    }
}

void cmap::clear()
{
    deinit();
    width = 0;
    height = 0;
    nsp = 0;
    xs = 0;
    ys = 0;
    sky = {};
    build_backdrop();
    warning[0] = '\0';
}

bool cmap::refuse(const char* format, ...)
{
    clear();
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(error, sizeof error, format, arguments);
    va_end(arguments);
    return false;
}

void cmap::print_messages() const
{
    if (error[0] != '\0')
        std::fprintf(stderr, "ZK3: %s\n", error);
    if (warning[0] != '\0')
        std::fprintf(stderr, "ZK3: %s\n", warning);
}

void fill_backdrop(ALLEGRO_VERTEX backdrop[4], const sky_colours& sky, float right)
{
    const ALLEGRO_COLOR top = al_map_rgb_f(sky.top_r, sky.top_g, sky.top_b);
    const ALLEGRO_COLOR bottom = al_map_rgb_f(sky.bottom_r, sky.bottom_g, sky.bottom_b);
    backdrop[0] = {0, 0, 0, 0, 0, top};
    backdrop[1] = {right, 0, 0, 0, 0, top};
    backdrop[2] = {right, 0, 0, 0, 0, bottom};
    backdrop[3] = {0, 0, 0, 0, 0, bottom};
}

void cmap::build_backdrop()
{
    // The sky spans the screen's width; its y values follow the scroll.
    fill_backdrop(backdrop, sky, logical_width);
}

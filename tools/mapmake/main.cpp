// zk3_mapmake: turns the readable source of a map (maps/*.txt) into the map
// file the game reads, and draws pictures of map files to look at. It is run
// by hand, never by the build, so no build ever overwrites a shipped map:
//
//   build/tools/zk3_mapmake maps/arena.txt game/zkm/arena.zkm
//       writes the map file after reading it back with the game's own reader
//   cd game && ../build/tools/zk3_mapmake --view zkm/arena.zkm /tmp/arena.png
//       the 1920 x 1080 screen a match opens on (centred on the map)
//   cd game && ../build/tools/zk3_mapmake --whole zkm/arena.zkm /tmp/arena.png [scale]
//       the whole map with its waypoints, scaled (0.5 unless given)
//   build/tools/zk3_mapmake --waypoints game/zkm/arena.zkm /tmp/arena.zkm
//       the map with its bot waypoints placed afresh, to another file
//
// The pictures are drawn from png/ of the working directory: the game folder.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>

#include "map/cmap.h"
#include "map_picture.h"
#include "map_waypoints.h"
#include "map_source.h"

namespace {

const char usage[] =
    "usage: zk3_mapmake <source.txt> <game>/zkm/<name>.zkm\n"
    "       zk3_mapmake --view <map.zkm> <picture.png>\n"
    "       zk3_mapmake --whole <map.zkm> <picture.png> [scale]\n"
    "       zk3_mapmake --waypoints <map.zkm> <placed.zkm>\n";

// Big enough for 480 x 270 cells; static, like the game's own map.
cmap checked;

std::string folder_of(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string file_name_of(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The game lists only names of at most 20 characters ending in ".zkm".
bool listable_name(const std::string& name)
{
    const std::string extension = ".zkm";
    return name.size() > extension.size() && name.size() <= cmap::max_name_length
           && name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

// The pictures live in png/ beside the zkm/ folder the map goes to.
void warn_missing_pictures(const map_source& source, const std::string& map_path)
{
    const std::string png_folder = folder_of(folder_of(map_path)) + "/png/";
    for (const auto* names : {&source.back_pictures, &source.wall_pictures})
        for (const std::string& name : *names)
            if (!al_filename_exists((png_folder + name).c_str()))
                std::fprintf(stderr, "zk3_mapmake: warning: no picture %s%s\n", png_folder.c_str(),
                             name.c_str());
}

int make(const char* source_path, const char* map_path)
{
    if (!listable_name(file_name_of(map_path))) {
        std::fprintf(stderr, "zk3_mapmake: %s: the game lists only names of at most %d characters "
                             "ending in .zkm\n", map_path, cmap::max_name_length);
        return 1;
    }
    std::ifstream in(source_path);
    if (!in) {
        std::fprintf(stderr, "zk3_mapmake: cannot open %s\n", source_path);
        return 1;
    }
    map_source source;
    std::string error;
    if (!read_map_source(in, source, error)) {
        std::fprintf(stderr, "zk3_mapmake: %s: %s\n", source_path, error.c_str());
        return 1;
    }
    const std::string text = map_file_text(source);

    // What the game will make of it, before anything is written.
    std::istringstream written(text);
    if (!checked.read(written, map_path)) {
        std::fprintf(stderr, "zk3_mapmake: the game would refuse it: %s\n", checked.get_error());
        return 1;
    }
    checked.deinit();
    warn_missing_pictures(source, map_path);

    std::ofstream out(map_path);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "zk3_mapmake: cannot write %s\n", map_path);
        return 1;
    }
    std::printf("%s: %d x %d units, %d spawn points\n", map_path, checked.get_width(),
                checked.get_height(), checked.get_nsp());
    return 0;
}

int draw(const char* map_path, const char* png_path, bool whole, float scale)
{
    if (!al_init_image_addon() || !al_init_primitives_addon()) {
        std::fprintf(stderr, "zk3_mapmake: cannot start the picture add-ons\n");
        return 1;
    }
    if (!checked.read_file(map_path))
        return 1;
    bool saved = whole ? save_whole_picture(checked, png_path, scale, true)
                       : save_view_picture(checked, png_path);
    checked.deinit();
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!al_init()) {
        std::fprintf(stderr, "zk3_mapmake: cannot start Allegro\n");
        return 1;
    }
    if (argc == 3 && argv[1][0] != '-')
        return make(argv[1], argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--waypoints") == 0)
        return place_map_waypoints(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "--view") == 0)
        return draw(argv[2], argv[3], false, 1);
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--whole") == 0) {
        float scale = argc == 5 ? std::strtof(argv[4], nullptr) : 0.5f;
        if (scale > 0 && scale <= 1)
            return draw(argv[2], argv[3], true, scale);
    }
    std::fputs(usage, stderr);
    return 2;
}

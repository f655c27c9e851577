// libFuzzer target: the map reader on any bytes at all. Besides memory and
// undefined-behaviour faults, it stops on an accepted map that breaks the
// promises the rest of the game relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>

#include "map/cmap.h"

cmap map;

namespace {

void require(bool promise)
{
    if (!promise)
        std::abort();
}

void check_accepted_map()
{
    const int width = map.get_width();
    const int height = map.get_height();
    require(width > 0 && width % cmap::cell_size == 0);
    require(width <= cmap::max_columns * cmap::cell_size);
    require(height > 0 && height % cmap::cell_size == 0);
    require(height <= cmap::max_rows * cmap::cell_size);
    require(map.get_nsp() >= 1 && map.get_nsp() <= cmap::max_spawns);
    for (int i = 0; i < map.get_nsp(); i++) {
        const int x = map.get_spx(i);
        const int y = map.get_spy(i);
        const int marker = map.get_map(x, y) % 100;
        require(x >= 0 && x < width && y >= 0 && y < height && marker >= 1 && marker <= 8);
    }
    require(map.get_map(width - 1, height - 1) == map.get_map(width - 40, height - 40));
    require(map.get_map(-1, 0) == 0 && map.get_map(width, height) == 0);
    require(map.get_error()[0] == '\0');
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Headless: no display; pictures named by a map simply fail to load.
    if (!al_init() || !al_init_image_addon())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    if (map.read(in, "fuzz.zkm"))
        check_accepted_map();
    else
        require(map.get_width() == 0 && map.get_nsp() == 0 && map.get_error()[0] != '\0');
    map.deinit();
    return 0;
}

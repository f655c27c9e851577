// How long reading the largest legal map takes: 480 x 270 cells of six-digit
// codes with 99 pictures in each layer, from a file in a temporary folder.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <benchmark/benchmark.h>

#include "map/cmap.h"

namespace {

const int columns = cmap::max_columns;
const int rows = cmap::max_rows;

void write_tile(const std::string& path)
{
    ALLEGRO_BITMAP* tile = al_create_bitmap(40, 40);
    al_set_target_bitmap(tile);
    al_clear_to_color(al_map_rgb(90, 60, 30));
    al_save_bitmap(path.c_str(), tile);
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(tile);
}

// Every cell names wall 99 and back 99; 32 spawn points along the top row.
void write_largest_map(const std::string& path, bool with_pictures)
{
    std::ofstream file(path);
    file << columns * 40 << " " << rows * 40 << "\n0.2 0.3 0.9\n0.9 0.6 0.3\n";
    const int count = with_pictures ? cmap::max_pictures : 0;
    file << count << "\n" << count << "\n";
    for (int layer = 0; layer < 2 && count > 0; layer++)
        for (int k = 0; k < count; k++)
            file << "tile.png" << (k + 1 < count ? " " : "\n");
    char code[16];
    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < columns; c++) {
            int value = (r == 0 && c < cmap::max_spawns) ? 1 : 0;
            if (with_pictures)
                value += 999900;
            std::snprintf(code, sizeof code, "%06i", value);
            file << code << (c + 1 < columns ? " " : "\n");
        }
    }
}

void read_map(benchmark::State& state, const char* path)
{
    static bool written = false;
    if (!written) {
        write_tile("png/tile.png");
        write_largest_map("zkm/cells.zkm", false);
        write_largest_map("zkm/full.zkm", true);
        written = true;
    }
    for (auto _ : state) {
        if (!map.read_file(path))
            state.SkipWithError(map.get_error());
        map.deinit();
    }
    state.SetBytesProcessed(state.iterations()
                            * static_cast<int64_t>(std::filesystem::file_size(path)));
}

void BM_ReadLargestMapCellsOnly(benchmark::State& state)
{
    read_map(state, "zkm/cells.zkm");
}
BENCHMARK(BM_ReadLargestMapCellsOnly)->Unit(benchmark::kMillisecond);

void BM_ReadLargestMapWith198Pictures(benchmark::State& state)
{
    read_map(state, "zkm/full.zkm");
}
BENCHMARK(BM_ReadLargestMapWith198Pictures)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The largest map the game ships with, pictures and all, read from the game folder.
void BM_ReadShippedTower(benchmark::State& state)
{
    const std::string game = ZK3_GAME_DIR;
    char here[4096];
    if (!getcwd(here, sizeof here) || chdir(game.c_str()) != 0) {
        state.SkipWithError("no game folder");
        return;
    }
    for (auto _ : state) {
        if (!map.read_file("zkm/tower.zkm"))
            state.SkipWithError(map.get_error());
        map.deinit();
    }
    if (chdir(here) != 0)
        state.SkipWithError("cannot return to the benchmark folder");
}
BENCHMARK(BM_ReadShippedTower)->Unit(benchmark::kMillisecond);

}  // namespace

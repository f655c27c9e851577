// The heaviest effect on its own: one tick and one drawing of all 10,000
// blood drops, falling through the air or lying as stains on a floor.
#include <fstream>

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <benchmark/benchmark.h>

#include "app/assets.h"
#include "effects/cblood.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

// A one-screen map with a floor along its bottom row and one spawn point.
bool read_floor_map(benchmark::State& state)
{
    std::ofstream file("zkm/blood.zkm");
    file << "1920 1080\n0 0 0\n0 0 0\n0\n1\nwall.png\n";
    for (int row = 0; row < 27; row++)
        for (int column = 0; column < 48; column++)
            file << (row == 26 ? "010000" : row == 0 && column == 0 ? "000001" : "000000")
                 << (column < 47 ? " " : "\n");
    file.close();
    std::ifstream in("zkm/blood.zkm");
    if (map.read(in, "blood.zkm"))
        return true;
    state.SkipWithError(map.get_error());
    return false;
}

// Every drop live: in the air high above the floor, or lying on it.
void fill(bool stains)
{
    blood.reset();
    for (int drop = 0; drop < cblood::max_drops; drop++)
        blood.init(static_cast<float>(drop % 1900 + 10), stains ? 1037.0f : 100.0f);
    if (stains)
        for (int tick = 0; tick < 5; tick++)
            blood.update();
}

void BM_BloodUpdateAllDrops(benchmark::State& state)
{
    if (!read_floor_map(state))
        return;
    game = cgame();
    const bool stains = state.range(0) == 1;
    fill(stains);
    int ticks = 0;
    for (auto _ : state) {
        // Falling drops reach the floor within 90 ticks, and stains fade
        // after 250: start them afresh long before.
        if (++ticks % 50 == 0) {
            state.PauseTiming();
            fill(stains);
            state.ResumeTiming();
        }
        blood.update();
    }
    state.counters["drops"] = blood.get_quad_count();
}
BENCHMARK(BM_BloodUpdateAllDrops)->ArgName("stains")->Arg(0)->Arg(1)
    ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Into a memory bitmap: the library draws in software here, so this is the
// cost of submitting the one call, not of a GPU frame.
void BM_BloodDrawAllDrops(benchmark::State& state)
{
    if (!read_floor_map(state))
        return;
    game = cgame();
    fill(true);
    ALLEGRO_BITMAP* texture = al_create_bitmap(4, 4);
    al_set_target_bitmap(texture);
    al_clear_to_color(al_map_rgb(255, 255, 255));
    ALLEGRO_BITMAP* loaded = bblood;
    bblood = texture;
    ALLEGRO_BITMAP* screen = al_create_bitmap(1920, 1080);
    al_set_target_bitmap(screen);
    for (auto _ : state)
        blood.draw();
    al_set_target_bitmap(nullptr);
    bblood = loaded;
    al_destroy_bitmap(screen);
    al_destroy_bitmap(texture);
}
BENCHMARK(BM_BloodDrawAllDrops)->Unit(benchmark::kMicrosecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

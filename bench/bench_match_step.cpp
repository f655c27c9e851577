// The cost of one match step with all eleven fighters in the arena.
#include <cstdio>
#include <fstream>

#include <benchmark/benchmark.h>

#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

const int columns = 48;
const int rows = 27;
const int wall = 10000;

// A one-screen arena: a floor, two ledges and ten spawn points along the floor.
void write_arena(const char* path)
{
    static int codes[rows][columns];
    for (int c = 0; c < columns; c++)
        codes[rows - 1][c] = wall;
    for (int c = 8; c < 18; c++)
        codes[20][c] = wall;
    for (int c = 30; c < 40; c++)
        codes[20][c] = wall;
    for (int i = 0; i < 11; i++)
        codes[rows - 3][2 + 4 * i] = 1;

    std::ofstream file(path);
    file << columns * 40 << " " << rows * 40 << "\n0.1 0.1 0.3\n0.4 0.2 0.1\n0\n1\nwall.png\n";
    char code[16];
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++) {
            std::snprintf(code, sizeof code, "%06i", codes[r][c]);
            file << code << (c + 1 < columns ? " " : "\n");
        }
}

void BM_MatchStepElevenFighters(benchmark::State& state)
{
    write_arena("zkm/bench.zkm");
    map.load();
    options.set_bots(10);
    if (!game.init()) {
        state.SkipWithError(map.get_error());
        return;
    }
    // Everyone has entered the arena after the five-second wait.
    for (int step = 0; step < 600; step++)
        game.update();
    for (auto _ : state)
        game.update();
    int alive = 0;
    for (const cplayer& fighter : players)
        alive += fighter.get_active() && fighter.get_health() > 0;
    state.counters["fighters_alive"] = alive;
    game.deinit();
}
BENCHMARK(BM_MatchStepElevenFighters)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

// The cost of one match step with all eleven fighters in the arena, with ten
// bots fighting on a shipped map, and with all of them firing while every
// slot of every pool is busy.
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <benchmark/benchmark.h>

#include "app/input.h"
#include "effects/cblood.h"
#include "effects/cflame.h"
#include "effects/cflesh.h"
#include "effects/cparticle.h"
#include "effects/cshell.h"
#include "effects/csmoke.h"
#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "weapons/cbullet.h"

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

// Starts a match on the arena with ten bots and lets everyone enter after
// the five-second wait; false (and the benchmark skipped) when it cannot.
bool start_match(benchmark::State& state)
{
    write_arena("zkm/bench.zkm");
    map.load();
    options.set_bots(10);
    if (!game.init()) {
        state.SkipWithError(map.get_error());
        return false;
    }
    for (int step = 0; step < 600; step++)
        game.update();
    return true;
}

void count_alive(benchmark::State& state)
{
    int alive = 0;
    for (const cplayer& fighter : players)
        alive += fighter.get_active() && fighter.get_health() > 0;
    state.counters["fighters_alive"] = alive;
}

void BM_MatchStepElevenFighters(benchmark::State& state)
{
    if (!start_match(state))
        return;
    for (auto _ : state)
        game.update();
    count_alive(state);
    game.deinit();
}
BENCHMARK(BM_MatchStepElevenFighters)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Ten bots fighting across a shipped map, a minute into the match.
void BM_MatchStepBotsFightOnFoundry(benchmark::State& state)
{
    std::ifstream file(ZK3_GAME_DIR "/zkm/foundry.zkm");
    if (!map.read(file, "foundry.zkm")) {
        state.SkipWithError(map.get_error());
        return;
    }
    options.set_bots(10);
    game.start();
    for (int step = 0; step < 6000; step++)
        game.update();
    for (auto _ : state)
        game.update();
    count_alive(state);
    game.deinit();
}
BENCHMARK(BM_MatchStepBotsFightOnFoundry)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The human's left button is held.
void hold_fire(ALLEGRO_MOUSE_STATE* mouse_state)
{
    *mouse_state = {};
    mouse_state->x = 1800;
    mouse_state->y = 200;
    mouse_state->buttons = 1;
}

// A random point in the open air above the arena's floor.
float air_x() { return static_cast<float>(40 + std::rand() % 1800); }
float air_y() { return static_cast<float>(40 + std::rand() % 700); }

// Every slot of every pool busy again, the 10,000 blood drops included.
void fill_pools()
{
    while (blood.init(air_x(), air_y())) {
    }
    for (cflesh& chunk : flesh)
        if (!chunk.get_active())
            chunk.init(air_x(), air_y(), 1000);
    for (csmoke& puff : smoke)
        if (!puff.active())
            puff.init(air_x(), air_y());
    for (cparticle& speck : particles)
        if (!speck.active())
            speck.init(air_x(), air_y());
    for (cbullet& bullet : bullets)
        if (!bullet.get_active())
            bullet.init(air_x(), air_y(), (std::rand() % 628) / 100.0f, 10, 5);
    for (cshell& casing : shells)
        if (!casing.active())
            casing.init(air_x(), air_y(), -2.0f, std::rand() % 2 == 0);
    for (cflame& flame : flames)
        if (!flame.active())
            flame.init(air_x(), air_y(), 0, 0, std::rand() % 4 == 0);
}

// Eleven fighters firing with every slot of every pool busy: the worst step.
void BM_MatchStepEverySlotBusy(benchmark::State& state)
{
    if (!start_match(state))
        return;
    set_input_sources(nullptr, hold_fire);
    for (auto _ : state) {
        state.PauseTiming();
        fill_pools();
        for (cplayer& fighter : players)
            if (cbweapon* gun = fighter.get_weapon())
                gun->shoot();
        state.ResumeTiming();
        game.update();
    }
    set_input_sources(nullptr, nullptr);
    count_alive(state);
    game.deinit();
}
BENCHMARK(BM_MatchStepEverySlotBusy)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

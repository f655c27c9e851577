#include "scenes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

const unsigned int seed = 2024;
const int bots = 10;
const int medium_skill = 1;
// Every fighter has entered after its 500-step wait.
const int entry_steps = 600;
const int lineup_period = 200;  // scene b is lined up again this often

const int cell = cmap::cell_size;
const int body_height = 80;
const int widest_spacing = 90;
const int closest_spacing = 41;  // nearer than 40 a bot will not shoot
const int air_height = 400;      // effects start in the air this far above the floor
const float full_health = 100;
const int guns = 4;

// The longest stretch of floor with room for a fighter above it, in cells.
struct floor_run {
    int left = 0;
    int columns = 0;
    int row = 0;  // the floor's own row
} fight_floor;

bool solid_cell(int column, int row)
{
    return map.solid(column * cell, row * cell);
}

bool room_to_stand(int column, int row)
{
    return solid_cell(column, row) && !solid_cell(column, row - 1) && !solid_cell(column, row - 2);
}

floor_run longest_floor()
{
    floor_run best;
    const int columns = map.get_width() / cell;
    const int rows = map.get_height() / cell;
    for (int row = 2; row < rows; row++) {
        int run = 0;
        for (int column = 0; column <= columns; column++) {
            if (column < columns && room_to_stand(column, row)) {
                run++;
                continue;
            }
            if (run > best.columns)
                best = {column - run, run, row};
            run = 0;
        }
    }
    return best;
}

int map_cells(const std::filesystem::path& file)
{
    std::ifstream in(file);
    int width = 0, height = 0;
    if (!(in >> width >> height))
        return 0;
    return (width / cell) * (height / cell);
}

// The bots alive again, with a gun, side by side on the fight floor facing each other.
void line_up()
{
    const int room = fight_floor.columns * cell - cell;
    const int spacing = std::max(closest_spacing, std::min(widest_spacing, room / (bots - 1)));
    for (int id = 1; id <= bots; id++) {
        cplayer& bot = players[id];
        if (bot.get_health() <= 0) {
            bot.set_health(full_health);
            bot.give_weapon(1 + id % guns);
        }
        bot.place(static_cast<float>(fight_floor.left * cell + (id - 1) * spacing),
                  static_cast<float>(fight_floor.row * cell - body_height));
    }
}

// A random free point in the air above the fight floor.
void air_point(float& x, float& y)
{
    for (int tries = 0; tries < 20; tries++) {
        x = static_cast<float>(fight_floor.left * cell + std::rand() % (fight_floor.columns * cell));
        y = static_cast<float>(fight_floor.row * cell - 1 - std::rand() % air_height);
        if (!map.solid(static_cast<int>(x), static_cast<int>(y)))
            return;
    }
}

float random_angle()
{
    return static_cast<float>(std::rand() % 628) / 100.0f;
}

// Every free slot of every effect pool and of the bullets started again.
void fill_pools()
{
    float x, y;
    for (bool room = true; room;) {
        air_point(x, y);
        room = blood.init(x, y);
    }
    for (cflesh& chunk : flesh)
        if (!chunk.get_active()) {
            air_point(x, y);
            chunk.init(x, y, random_angle());
        }
    for (csmoke& puff : smoke)
        if (!puff.active()) {
            air_point(x, y);
            puff.init(x, y);
        }
    for (cparticle& speck : particles)
        if (!speck.active()) {
            air_point(x, y);
            speck.init(x, y);
        }
    for (int k = 0; k < max_bullets; k++)
        if (!bullets[k].get_active()) {
            air_point(x, y);
            bullets[k].init(x, y, random_angle(), 10, 1 + k % bots);
        }
    for (cshell& casing : shells)
        if (!casing.active()) {
            air_point(x, y);
            casing.init(x, y, std::rand() % 2 == 0 ? -1.0f : 1.0f, std::rand() % 2 == 0);
        }
    for (cflame& flame : flames)
        if (!flame.active()) {
            air_point(x, y);
            flame.init(x, y, 0, 0, std::rand() % 4 == 0);
        }
}

}  // namespace

std::string largest_map()
{
    std::string best;
    int most = 0;
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator("zkm", error))
        if (entry.path().extension() == ".zkm")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        const int cells = map_cells(file);
        if (cells > most) {
            most = cells;
            best = file.stem().string();
        }
    }
    return best;
}

bool start_scene(char scene)
{
    const std::string name = largest_map();
    const std::string path = "zkm/" + name + ".zkm";
    if (name.empty() || !map.read_file(path.c_str())) {
        std::fprintf(stderr, "no shipped map to play in zkm/\n");
        return false;
    }
    fight_floor = longest_floor();
    std::srand(seed);
    options.set_bots(bots);
    options.set_skill(medium_skill);
    game = cgame();
    game.start();
    for (int step = 0; step < entry_steps; step++)
        game.update();
    keep_scene(scene, 0);
    return true;
}

void keep_scene(char scene, int step)
{
    if (scene == 'b' && step % lineup_period == 0)
        line_up();
    if (scene == 'c') {
        line_up();
        fill_pools();
    }
}

void end_scene()
{
    game.deinit();
}

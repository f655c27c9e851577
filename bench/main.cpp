// Times, headless in the game folder, the reading of the largest shipped map
// and one match step in each scene of scenes.h, and prints one line a figure:
//   map_read map=tower ms=3.1
//   step scene=a median_ms=0.12 p99_ms=0.30
//   memory scene=c rss_mb=40.2
// The figures are for people, not tests: they vary with the machine's load.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>

#include "map/cmap.h"
#include "match/cgame.h"
#include "scenes.h"

namespace {

const int map_reads = 21;
const struct {
    char scene;
    int steps;
} timed_scenes[] = {{'a', 3000}, {'b', 1000}, {'c', 1000}};

using clock_type = std::chrono::steady_clock;

double milliseconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

// The value below which `share` of the times lie.
double percentile(std::vector<double> times, double share)
{
    std::sort(times.begin(), times.end());
    const size_t index = std::min(times.size() - 1, static_cast<size_t>(share * static_cast<double>(times.size())));
    return times[index];
}

// The resident memory of this process in MB, from /proc/self/status.
double resident_mb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

bool time_map_read()
{
    const std::string name = largest_map();
    const std::string path = "zkm/" + name + ".zkm";
    std::vector<double> times;
    for (int read = 0; read < map_reads; read++) {
        const auto start = clock_type::now();
        const bool read_ok = map.read_file(path.c_str());
        times.push_back(milliseconds_since(start));
        map.deinit();
        if (!read_ok)
            return false;
    }
    std::printf("map_read map=%s ms=%.1f\n", name.c_str(), percentile(times, 0.5));
    return true;
}

bool time_steps(char scene, int steps)
{
    if (!start_scene(scene))
        return false;
    const double rss = resident_mb();
    std::vector<double> times;
    for (int step = 0; step < steps; step++) {
        keep_scene(scene, step);
        const auto start = clock_type::now();
        game.update();
        times.push_back(milliseconds_since(start));
    }
    end_scene();
    std::printf("step scene=%c median_ms=%.2f p99_ms=%.2f\n", scene, percentile(times, 0.5),
                percentile(times, 0.99));
    if (scene == 'c')
        std::printf("memory scene=c rss_mb=%.1f\n", rss);
    return true;
}

}  // namespace

int main()
{
    if (!al_init() || !al_init_image_addon() || !al_init_primitives_addon()) {
        std::fprintf(stderr, "the library does not start\n");
        return 1;
    }
    if (chdir(ZK3_GAME_DIR) != 0) {
        std::fprintf(stderr, "no game folder %s\n", ZK3_GAME_DIR);
        return 1;
    }
    if (!time_map_read())
        return 1;
    for (const auto& timed : timed_scenes)
        if (!time_steps(timed.scene, timed.steps))
            return 1;
    std::fflush(stdout);
    return 0;
}

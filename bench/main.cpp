// Times, headless in the game folder, the reading of the largest shipped map
// and one match step in each scene of scenes.h, and prints one line a figure:
//   map_read map=tower ms=1.0
//   step scene=a median_ms=0.05 p99_ms=0.12
//   memory scene=c rss_mb=12.8
//   snapshot save_us=13.0 restore_us=13.0 bytes=323696
//   replay_seek ms=80 cold_end_ms=5000 kept=61
// The figures are for people, not tests: they vary with the machine's load.
// Arguments pick what to time ("map", "a", "b", "c", "snapshot",
// "replay_seek"); none times everything.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>

#include "map/cmap.h"
#include "match/cgame.h"
#include "match/match_snapshot.h"
#include "replay_seek.h"
#include "scenes.h"

namespace {

const int map_reads = 21;
const struct {
    char scene;
    int steps;
} timed_scenes[] = {{'a', 3000}, {'b', 1000}, {'c', 1000}};
const int snapshot_rounds = 200;

// Time this thread spent on the CPU: a step is not charged for the moments
// other programs hold the core, so the figures hold up on a busy machine.
double cpu_milliseconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
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
        const double start = cpu_milliseconds();
        const bool read_ok = map.read_file(path.c_str());
        times.push_back(cpu_milliseconds() - start);
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
        const double start = cpu_milliseconds();
        game.update();
        times.push_back(cpu_milliseconds() - start);
    }
    end_scene();
    std::printf("step scene=%c median_ms=%.2f p99_ms=%.2f\n", scene, percentile(times, 0.5),
                percentile(times, 0.99));
    if (scene == 'c')
        std::printf("memory scene=c rss_mb=%.1f\n", rss);
    return true;
}

// A save and a restore of the whole match after each step of scene c.
bool time_snapshot()
{
    if (!start_scene('c'))
        return false;
    match_snapshot snapshot;
    std::vector<double> saves, restores;
    for (int round = 0; round < snapshot_rounds; round++) {
        keep_scene('c', round);
        game.update();
        double start = cpu_milliseconds();
        snapshot.save();
        saves.push_back(cpu_milliseconds() - start);
        start = cpu_milliseconds();
        snapshot.restore();
        restores.push_back(cpu_milliseconds() - start);
    }
    end_scene();
    std::printf("snapshot save_us=%.1f restore_us=%.1f bytes=%zu\n", percentile(saves, 0.5) * 1e3,
                percentile(restores, 0.5) * 1e3, snapshot.bytes());
    return true;
}

// Whether `what` is to be timed on this command line.
bool chosen(int argc, char** argv, const char* what)
{
    if (argc < 2)
        return true;
    for (int arg = 1; arg < argc; arg++)
        if (std::strcmp(argv[arg], what) == 0)
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!al_init() || !al_init_image_addon() || !al_init_primitives_addon()) {
        std::fprintf(stderr, "the library does not start\n");
        return 1;
    }
    if (chdir(ZK3_GAME_DIR) != 0) {
        std::fprintf(stderr, "no game folder %s\n", ZK3_GAME_DIR);
        return 1;
    }
    if (chosen(argc, argv, "map") && !time_map_read())
        return 1;
    for (const auto& timed : timed_scenes) {
        const char name[2] = {timed.scene, 0};
        if (chosen(argc, argv, name) && !time_steps(timed.scene, timed.steps))
            return 1;
    }
    if (chosen(argc, argv, "snapshot") && !time_snapshot())
        return 1;
    if (chosen(argc, argv, "replay_seek") && !time_replay_seek())
        return 1;
    std::fflush(stdout);
    return 0;
}

// The frame benchmark, run under a display of 1920 x 1080 (Xvfb in `make
// bench`). It prints the time from start-up to the first menu frame (with the
// renderer's shader cache empty, then kept), then for
// each display, full screen and the 960 x 540 window, with multisampling as
// the game asks for it and without: the display's ceiling, and scene b (a fire
// fight) and scene c (the worst case), one line each, and the resident memory
// in scene c:
//   startup cold_ms=900 warm_ms=310
//   ceiling size=1920x1080 msaa=off fps=80
//   frame scene=b size=1920x1080 msaa=off fps=57 cpu_ms=2.8 of_ceiling=0.71
//   memory scene=c rss_mb=180
// fps: the frames per second the drawing allows (the median frame until the
// renderer has finished it, flip included, the match step not); cpu_ms: the
// median processor time of one frame's drawing up to the flip. The ceiling is
// the fastest frame a screen-covering game could have: one picture of the
// logical screen's size drawn over the whole display, and the flip; a scene's
// of_ceiling is its fps over the ceiling's.
//
// With --shots FOLDER it prints nothing and saves a frame of each scene, the
// menu and the options there instead, to compare the pictures of two builds.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <allegro5/allegro_opengl.h>

#include "../scenes.h"
#include "app/assets.h"
#include "app/logical_screen.h"
#include "app/shell.h"
#include "frame_scenes.h"
#include "frame_startup.h"
#include "frontend/cmenu.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

const char* const startup_child_argument = "--startup-child";
const int startup_runs = 5;
const int warm_up_frames = 5;  // the first frames compile the renderer's shaders
const int measured_frames = 40;

double seconds(clockid_t clock)
{
    timespec now;
    clock_gettime(clock, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// Waits until the renderer has drawn everything sent so far. A software
// renderer otherwise draws a frame while the next is sent, and the sending
// then spins on it, which would count as the next frame's processor time.
void finish_rendering()
{
    using finish_function = void (*)();
    static auto gl_finish = reinterpret_cast<finish_function>(al_get_opengl_proc_address("glFinish"));
    if (gl_finish)
        gl_finish();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct frame_figures {
    double fps;
    double cpu_ms;
};

// Times the frames `draw` makes, every figure the same way: `between(i)` runs
// untimed before frame i; the frame is timed from its first drawing call until
// the renderer has finished it, flip included.
template <class Between, class Draw>
frame_figures time_frames(Between between, Draw draw)
{
    std::vector<double> cpu_ms;
    std::vector<double> frame_ms;
    for (int i = 0; i < warm_up_frames + measured_frames; i++) {
        between(i);
        const double wall_start = seconds(CLOCK_MONOTONIC);
        const double cpu_start = seconds(CLOCK_THREAD_CPUTIME_ID);
        draw();
        const double cpu_end = seconds(CLOCK_THREAD_CPUTIME_ID);
        show_frame();
        finish_rendering();
        const double wall_end = seconds(CLOCK_MONOTONIC);
        if (i >= warm_up_frames) {
            cpu_ms.push_back((cpu_end - cpu_start) * 1000);
            frame_ms.push_back((wall_end - wall_start) * 1000);
        }
    }
    return {1000 / median(frame_ms), median(cpu_ms)};
}

void print_display(const char* what)
{
    std::printf("%s size=%ix%i msaa=%s", what, al_get_display_width(display),
                al_get_display_height(display), multisampling ? "on" : "off");
}

// The current display's ceiling: one picture of the logical screen's size,
// scaled by the game's transform to cover the display, then the flip.
double measure_ceiling()
{
    ALLEGRO_BITMAP* picture = al_create_bitmap(logical_width, logical_height);
    al_set_target_bitmap(picture);
    al_clear_to_color(al_map_rgb(40, 60, 90));
    al_set_target_backbuffer(display);
    al_use_transform(&transform);
    const double fps = time_frames([](int) {}, [picture] { al_draw_bitmap(picture, 0, 0, 0); }).fps;
    al_destroy_bitmap(picture);
    print_display("ceiling");
    std::printf(" fps=%.0f\n", fps);
    std::fflush(stdout);
    return fps;
}

// Draws frames of the scene as it stands; in scene b one match step runs
// between two frames, untimed.
void measure(char scene, double ceiling_fps)
{
    const bool fighting = scene == 'b';
    const frame_figures figures = time_frames(
        [fighting](int i) {
            if (fighting)
                fight_on(i);
        },
        [] { game.draw_frame(); });
    std::printf("frame scene=%c", scene);
    print_display("");
    std::printf(" fps=%.0f cpu_ms=%.1f of_ceiling=%.2f\n", figures.fps, figures.cpu_ms,
                figures.fps / ceiling_fps);
    std::fflush(stdout);
}

double resident_mb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmRSS:") == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

// Where --shots saves its pictures, or null.
const char* shots_folder = nullptr;

void save_shot(const char* what, ALLEGRO_BITMAP* picture)
{
    char path[512];
    std::snprintf(path, sizeof path, "%s/%s_%ix%i_msaa_%s.png", shots_folder, what,
                  al_get_display_width(display), al_get_display_height(display),
                  multisampling ? "on" : "off");
    al_save_bitmap(path, picture);
}

void shoot_scene(char scene)
{
    for (int step = 0; step < warm_up_frames; step++) {
        if (scene == 'b')
            fight_on(step);
        game.draw();
    }
    game.draw_frame();
    save_shot(scene == 'b' ? "scene_b" : "scene_c", al_get_backbuffer(display));
}

// The screens flip when drawn, so they are drawn into a picture instead.
template <class Screen>
void shoot_screen(const char* what, Screen& screen)
{
    ALLEGRO_BITMAP* picture = al_create_bitmap(al_get_display_width(display), al_get_display_height(display));
    al_set_target_bitmap(picture);
    al_use_transform(&transform);
    screen.init();
    screen.draw();
    save_shot(what, picture);
    al_set_target_backbuffer(display);
    al_destroy_bitmap(picture);
}

// Both scenes on a display made the way the game makes it.
bool draw_scenes(int mode, bool report_memory)
{
    menu.set_choice(mode);
    if (!graphics())
        return false;
    if (shots_folder) {
        shoot_screen("menu", menu);
        shoot_screen("options", options);
    }
    const double ceiling_fps = shots_folder ? 0 : measure_ceiling();
    for (char scene : {'b', 'c'}) {
        if (!start_frame_scene(scene))
            return false;
        if (shots_folder)
            shoot_scene(scene);
        else
            measure(scene, ceiling_fps);
        if (report_memory && scene == 'c')
            std::printf("memory scene=c rss_mb=%.0f\n", resident_mb());
        end_scene();
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (chdir(ZK3_GAME_DIR) != 0) {
        std::fprintf(stderr, "zk3_frame: no game folder %s\n", ZK3_GAME_DIR);
        return 1;
    }
    if (argc > 1 && std::strcmp(argv[1], startup_child_argument) == 0)
        return startup_child();
    if (argc > 2 && std::strcmp(argv[1], "--shots") == 0)
        shots_folder = argv[2];

    if (!shots_folder) {
        const startup_figures startup = startup_ms(startup_child_argument, startup_runs);
        if (startup.cold_ms < 0) {
            std::fprintf(stderr, "zk3_frame: the game did not start (is DISPLAY set?)\n");
            return 1;
        }
        std::printf("startup cold_ms=%.0f warm_ms=%.0f\n", startup.cold_ms, startup.warm_ms);
    }
    std::fflush(stdout);

    if (!init())
        return 1;
    map.load();
    bool drawn = true;
    for (bool with_samples : {true, false}) {
        multisampling = with_samples;
        drawn = drawn && draw_scenes(with_samples ? mode_start : mode_fullscreen_display, with_samples);
        drawn = drawn && draw_scenes(mode_windowed_display, false);
    }
    unload_data();
    deinit();
    return drawn ? 0 : 1;
}

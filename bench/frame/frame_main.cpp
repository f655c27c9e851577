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
const int most_settling_frames = 500;

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

// One kind of frame's timings: how long each took until the renderer had
// finished it, flip included, and the processor time of its drawing calls.
struct frame_times {
    std::vector<double> frame_ms;
    std::vector<double> cpu_ms;

    frame_figures figures() const { return {1000 / median(frame_ms), median(cpu_ms)}; }
};

// Times one frame that `draw` makes, from its first drawing call until the
// renderer has finished it, flip included.
template <class Draw>
void time_frame(Draw draw, frame_times& times)
{
    const double wall_start = seconds(CLOCK_MONOTONIC);
    const double cpu_start = seconds(CLOCK_THREAD_CPUTIME_ID);
    draw();
    const double cpu_end = seconds(CLOCK_THREAD_CPUTIME_ID);
    show_frame();
    finish_rendering();
    const double wall_end = seconds(CLOCK_MONOTONIC);
    times.cpu_ms.push_back((cpu_end - cpu_start) * 1000);
    times.frame_ms.push_back((wall_end - wall_start) * 1000);
}

void print_display(const char* what)
{
    std::printf("%s size=%ix%i msaa=%s", what, al_get_display_width(display),
                al_get_display_height(display), multisampling ? "on" : "off");
}

// The display's ceiling: one picture of the logical screen's size, scaled by
// the game's transform to cover the display, then the flip.
class ceiling_frame {
public:
    ceiling_frame()
        : picture(al_create_bitmap(logical_width, logical_height))
    {
        al_set_target_bitmap(picture);
        al_clear_to_color(al_map_rgb(40, 60, 90));
        al_set_target_backbuffer(display);
        al_use_transform(&transform);
    }
    ~ceiling_frame() { al_destroy_bitmap(picture); }
    ceiling_frame(const ceiling_frame&) = delete;
    ceiling_frame& operator=(const ceiling_frame&) = delete;

    void draw() const { al_draw_bitmap(picture, 0, 0, 0); }

private:
    ALLEGRO_BITMAP* picture;
};

// Draws frames of the scene as it stands; in scene b one match step runs
// between two frames, untimed. Each scene frame follows a ceiling frame, so
// that a machine whose speed drifts moves both figures alike. The first
// frames of a match draw the map's pictures around the view, a few rows a
// frame: those are not the scene's.
frame_figures measure(char scene, const ceiling_frame& ceiling, frame_times& ceiling_times)
{
    for (int i = 0; i < most_settling_frames; i++) {
        game.draw_frame();
        show_frame();
        if (map.view_ready())
            break;
    }
    frame_times times;
    for (int i = 0; i < warm_up_frames + measured_frames; i++) {
        if (scene == 'b')
            fight_on(i);
        frame_times& kept_ceiling = i < warm_up_frames ? times : ceiling_times;
        time_frame([&ceiling] { ceiling.draw(); }, kept_ceiling);
        time_frame([] { game.draw_frame(); }, times);
        if (i < warm_up_frames)
            times = {};
    }
    return times.figures();
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

// Both scenes on a display made the way the game makes it, printed after the
// ceiling timed beside them.
bool draw_scenes(int mode, bool report_memory)
{
    menu.set_choice(mode);
    if (!graphics())
        return false;
    if (shots_folder) {
        shoot_screen("menu", menu);
        shoot_screen("options", options);
    }
    const ceiling_frame ceiling;
    frame_times ceiling_times;
    frame_figures scene_figures[2] = {};
    double memory_mb = 0;
    const char scenes[2] = {'b', 'c'};
    for (int i = 0; i < 2; i++) {
        if (!start_frame_scene(scenes[i]))
            return false;
        if (shots_folder)
            shoot_scene(scenes[i]);
        else
            scene_figures[i] = measure(scenes[i], ceiling, ceiling_times);
        if (scenes[i] == 'c')
            memory_mb = resident_mb();
        end_scene();
    }
    if (shots_folder)
        return true;

    const double ceiling_fps = ceiling_times.figures().fps;
    print_display("ceiling");
    std::printf(" fps=%.0f\n", ceiling_fps);
    for (int i = 0; i < 2; i++) {
        std::printf("frame scene=%c", scenes[i]);
        print_display("");
        std::printf(" fps=%.0f cpu_ms=%.1f of_ceiling=%.2f\n", scene_figures[i].fps, scene_figures[i].cpu_ms,
                    scene_figures[i].fps / ceiling_fps);
    }
    if (report_memory)
        std::printf("memory scene=c rss_mb=%.0f\n", memory_mb);
    std::fflush(stdout);
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

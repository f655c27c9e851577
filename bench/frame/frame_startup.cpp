#include "frame_startup.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/assets.h"
#include "app/shell.h"
#include "frontend/cmenu.h"
#include "map/cmap.h"

namespace {

long long monotonic_ns()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// One child run: nanoseconds from the fork to its first menu frame, or -1.
long long one_run(const char* child_argument)
{
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0)
        return -1;
    const long long started = monotonic_ns();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipe_ends[1], STDOUT_FILENO);
        // The child's warnings would repeat once per run.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        close(pipe_ends[0]);
        execl("/proc/self/exe", "zk3_frame", child_argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipe_ends[1]);
    long long shown = -1;
    FILE* from_child = fdopen(pipe_ends[0], "r");
    if (from_child) {
        if (std::fscanf(from_child, "%lld", &shown) != 1)
            shown = -1;
        std::fclose(from_child);
    }
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    return shown < 0 ? -1 : shown - started;
}

}  // namespace

startup_figures startup_ms(const char* child_argument, int runs)
{
    // The renderer compiles its shaders at the first start and keeps them on
    // disk; a player's usual start is a later one.
    const long long cold = one_run(child_argument);
    if (cold < 0)
        return {-1, -1};
    std::vector<double> times;
    for (int i = 0; i < runs; i++) {
        const long long ns = one_run(child_argument);
        if (ns < 0)
            return {-1, -1};
        times.push_back(ns / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {cold / 1e6, times[times.size() / 2]};
}

int startup_child()
{
    // The mode loop's first turn, up to the menu's first frame.
    if (!init())
        return 1;
    map.load();
    if (!graphics()) {
        unload_data();
        deinit();
        return 1;
    }
    menu.init();
    for (;;) {
        al_wait_for_event(queue, &event);
        if (event.type != ALLEGRO_EVENT_TIMER)
            continue;
        menu.update();
        if (al_is_event_queue_empty(queue)) {
            menu.draw();
            break;
        }
    }
    std::printf("%lld\n", monotonic_ns());
    std::fflush(stdout);
    unload_data();
    deinit();
    return 0;
}

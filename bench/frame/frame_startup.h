// Start-up time: from a fresh process to the first frame of the main menu,
// through the program's own start-up steps.
#pragma once

struct startup_figures {
    double cold_ms;  // the first start, with the renderer's shader cache empty
    double warm_ms;  // the median of the starts after it
};

// Starts this program again with `child_argument` once with an empty shader
// cache, then `runs` times, and gives the milliseconds from the fork to the
// child's first menu frame; negative figures when a child failed.
startup_figures startup_ms(const char* child_argument, int runs);

// In the child: starts like the game, draws the first menu frame, writes the
// monotonic clock at that moment (nanoseconds) to standard output.
int startup_child();

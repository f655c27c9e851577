// Start-up time: from a fresh process to the first frame of the main menu,
// through the program's own start-up steps.
#pragma once

// Starts this program again with `child_argument` once to warm the shader
// cache, then `runs` times, and returns the median milliseconds from the
// fork to the child's first menu frame; negative when a child failed.
double median_startup_ms(const char* child_argument, int runs);

// In the child: starts like the game, draws the first menu frame, writes the
// monotonic clock at that moment (nanoseconds) to standard output.
int startup_child();

// Whether a window manager looks after the X display's windows.
#pragma once

// True when a window manager that follows the desktop conventions is running
// on the X display the program uses (DISPLAY), or when that cannot be told.
// Without one nothing makes a window full screen on request.
bool window_manager_running();

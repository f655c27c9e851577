// The application shell: the display, the event queue, the 100 Hz timer, the
// polled input records and the scaling transform, and the start-up and
// shut-down steps around the mode loop.
#pragma once

#include <allegro5/allegro.h>

extern ALLEGRO_DISPLAY* display;
extern ALLEGRO_EVENT event;
extern ALLEGRO_EVENT_QUEUE* queue;
extern ALLEGRO_TIMER* timer;
extern ALLEGRO_KEYBOARD_STATE keyboard;
extern ALLEGRO_MOUSE_STATE mouse;
extern ALLEGRO_TRANSFORM transform;

// Set when the window asks to be closed; the mode loop then quits the way the
// menu's quit item does.
extern bool close_requested;

// Whether displays are made with multisampling (the default); the command
// line can switch it off, which software renderers need to keep up.
extern bool multisampling;

// System start-up, once. Returns false (after saying why) when the library,
// the queue or the timer cannot be started. The sound system's start and the
// reading of the assets go on in the background until graphics() needs them.
bool init();

// Creates the display (first call) or re-creates it in the mode the menu's
// choice asks for, installs the scaling transform and loads the assets.
// Returns false (after saying why) when no display opens or an asset is
// missing; unload_data() then still has to run before the program ends.
bool graphics();

// Destroys the display, the queue and the timer, once at the end.
void deinit();

// Ends a screen's frame: flips the display when there is one (tests draw
// into memory bitmaps with no display at all).
void show_frame();

// The whole program: the command line, start-up and the outer mode loop.
// Returns the exit status.
int run_program(int argc, char** argv);

// Every global object of the game is defined here, once, so that the screens
// are constructed in a known order before main runs.
#include "app/shell.h"
#include "frontend/cmenu.h"
#include "frontend/coptions.h"
#include "map/cmap.h"

ALLEGRO_DISPLAY* display;
ALLEGRO_EVENT event;
ALLEGRO_EVENT_QUEUE* queue;
ALLEGRO_TIMER* timer;
ALLEGRO_KEYBOARD_STATE keyboard;
ALLEGRO_MOUSE_STATE mouse;
ALLEGRO_TRANSFORM transform;
bool close_requested;

// The screens, in construction order.
cmenu menu;
coptions options;

cmap map;

// The shell's handles, the screens, the match and its pools are defined here,
// once, so that the screens are constructed in a known order before main
// runs. The asset handles live with their table in assets.cpp, and the audio
// flag in sound.cpp.
#include "app/shell.h"
#include "frontend/ccredits.h"
#include "frontend/cmenu.h"
#include "frontend/coptions.h"
#include "effects/cblood.h"
#include "effects/cfire.h"
#include "effects/cflame.h"
#include "effects/cflesh.h"
#include "effects/cparticle.h"
#include "effects/cshell.h"
#include "effects/csmoke.h"
#include "fighters/cplayer.h"
#include "map/ceditor.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/chud.h"
#include "weapons/cbullet.h"
#include "weapons/cgrenade.h"

ALLEGRO_DISPLAY* display;
ALLEGRO_EVENT event;
ALLEGRO_EVENT_QUEUE* queue;
ALLEGRO_TIMER* timer;
ALLEGRO_KEYBOARD_STATE keyboard;
ALLEGRO_MOUSE_STATE mouse;
ALLEGRO_TRANSFORM transform;
bool close_requested;
bool multisampling = true;

// The screens, in construction order.
ccredits credits;
ceditor editor;
cmenu menu;
coptions options;

// The match and what lives in it; zero until a match starts.
cmap map;
cgame game;
chud hud;
cplayer players[max_players];
cbullet bullets[max_bullets];
cgrenade grenades[max_grenades];
cblood blood;
cflesh flesh[max_flesh];
cfire fire[max_fire];
cflame flames[max_flames];
cshell shells[max_shells];
csmoke smoke[max_smoke];
cparticle particles[max_particles];

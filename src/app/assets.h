// The asset table: every picture and sound of the program, loaded once per
// display into fixed global handles that the rest of the game uses by name.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>

extern ALLEGRO_BITMAP* barms[3];
extern ALLEGRO_BITMAP* bblood;
extern ALLEGRO_BITMAP* bbody;
extern ALLEGRO_BITMAP* bcrosshair;
extern ALLEGRO_BITMAP* beditor;
extern ALLEGRO_BITMAP* bfire;
extern ALLEGRO_BITMAP* bflesh;
extern ALLEGRO_BITMAP* bfont[2];
extern ALLEGRO_BITMAP* bgrenade;
extern ALLEGRO_BITMAP* bgrenade_icon;
extern ALLEGRO_BITMAP* bhands[3];
extern ALLEGRO_BITMAP* bhead[3];
extern ALLEGRO_BITMAP* bhud[4];
extern ALLEGRO_BITMAP* blegs[9];
extern ALLEGRO_BITMAP* bmachine_gun;
extern ALLEGRO_BITMAP* bmenu[8];
extern ALLEGRO_BITMAP* bminigun[3];
extern ALLEGRO_BITMAP* boptions[3];
extern ALLEGRO_BITMAP* bparticle;
extern ALLEGRO_BITMAP* bpistol;
extern ALLEGRO_BITMAP* bshell[2];
extern ALLEGRO_BITMAP* bshoes[9];
extern ALLEGRO_BITMAP* bshotgun;
extern ALLEGRO_BITMAP* bskull;
extern ALLEGRO_BITMAP* bsphere;
extern ALLEGRO_BITMAP* bwaypoints[16];
extern ALLEGRO_BITMAP* bweapons;

// Sounds come in pairs: [0] at normal speed, [1] the slow-motion variant.
extern ALLEGRO_SAMPLE* sblood[2];
extern ALLEGRO_SAMPLE* sexplosion[2];
extern ALLEGRO_SAMPLE* smachine_gun[2];
extern ALLEGRO_SAMPLE* sminigun[2];
extern ALLEGRO_SAMPLE* sshell[4];  // 2 x casing kind + (1 in slow motion)
extern ALLEGRO_SAMPLE* sshotgun[2];
extern ALLEGRO_SAMPLE* spistol[2];

// Starts reading every picture into memory, and every sound when audio
// works, in another thread, so that the reading goes on while the display is
// being made; load_data finishes the load. `prepare` runs first in that
// thread: the sound system's start-up, which the sounds wait for.
void start_loading_data(std::function<void()> prepare);

// Loads every picture, and every sound when audio works, or finishes the
// load start_loading_data began. A missing file is named on standard error
// and the load stops with false.
bool load_data();

// Destroys every handle the load made and clears it.
void unload_data();

// The relative paths of every picture and of every sound, in load order.
std::vector<std::string> picture_paths();
std::vector<std::string> sound_paths();

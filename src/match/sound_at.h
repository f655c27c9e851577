// One-shot sounds of things that happen somewhere in the arena.
#pragma once

#include <allegro5/allegro_audio.h>

// Plays a sound pair for an event at map point (x, y): the slow-motion
// variant while the match runs slow, full gain inside the view and a quarter
// outside it, so that far-off fights stay audible but quiet.
void play_sound_at(ALLEGRO_SAMPLE* const* pair, float x, float y);

// The same choice for a sound with its own instances (see restart_sound).
void restart_sound_at(ALLEGRO_SAMPLE_INSTANCE* const* instances, ALLEGRO_SAMPLE* const* pair,
                      float x, float y);

// Real audio with no sound card: the library's OpenAL back end on its null
// driver, so that sample calls run as in the game and are heard by nobody.
#pragma once

#include <allegro5/allegro_audio.h>

// Installs audio on the null driver; false where even that cannot start.
bool install_silent_audio();

// A sample of `seconds` of silence, or null.
ALLEGRO_SAMPLE* make_silence(float seconds);

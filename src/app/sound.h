// Sound output. Audio is optional: without a sound card the game runs silent,
// and no sample call is ever made with a null handle.
#pragma once

#include <allegro5/allegro_audio.h>

// True only when the audio system, its codecs and the 16 sample voices all started.
extern bool audio_works;

// What one call of play_sound asked for; tests listen to these.
struct sound_event {
    ALLEGRO_SAMPLE* const* pair;  // the pair's first element, e.g. spistol or sshell + 2
    int variant;                  // 0 plain, 1 slow motion
    float gain;
};

using sound_listener = void (*)(const sound_event&);

// Installs a listener that hears every play_sound call (nullptr removes it).
void set_sound_listener(sound_listener listener);

// While muted nothing is played or heard by the listener: steps run only to
// catch a match up, not to be watched, make no sound.
void mute_sounds(bool muted);

// Plays pair[variant] once, at pan 0 and speed 1, when audio works.
void play_sound(ALLEGRO_SAMPLE* const* pair, int variant, float gain);

// Restarts a sound that keeps its own instances, one per variant of `pair`:
// both fall silent, then instances[variant] plays from its start. A gun that
// fires fast thus never has more than one shot's sound playing. Null
// instances (no sound card, or a missing sample) are skipped.
void restart_sound(ALLEGRO_SAMPLE_INSTANCE* const* instances, ALLEGRO_SAMPLE* const* pair,
                   int variant, float gain);

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

// While any of these is held nothing is played or heard by the listener:
// steps run only to catch a match up, or under a death replay, make no
// sound. Each owner holds its own, so an inner one ending (a rollback's
// steps done again) leaves an outer one (the replay) in force.
class muted_sounds {
public:
    explicit muted_sounds(bool muting = true);
    ~muted_sounds();
    muted_sounds(const muted_sounds&) = delete;
    muted_sounds& operator=(const muted_sounds&) = delete;

private:
    bool muting;
};

// Plays pair[variant] once, at pan 0 and speed 1, when audio works.
void play_sound(ALLEGRO_SAMPLE* const* pair, int variant, float gain);

// Restarts a sound that keeps its own instances, one per variant of `pair`:
// both fall silent, then instances[variant] plays from its start. A gun that
// fires fast thus never has more than one shot's sound playing. Null
// instances (no sound card, or a missing sample) are skipped.
void restart_sound(ALLEGRO_SAMPLE_INSTANCE* const* instances, ALLEGRO_SAMPLE* const* pair,
                   int variant, float gain);

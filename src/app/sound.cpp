#include "app/sound.h"

bool audio_works = false;

namespace {
sound_listener listener = nullptr;
}

void set_sound_listener(sound_listener new_listener)
{
    listener = new_listener;
}

void play_sound(ALLEGRO_SAMPLE* const* pair, int variant, float gain)
{
    if (listener)
        listener({pair, variant, gain});
    ALLEGRO_SAMPLE* sample = pair[variant];
    if (audio_works && sample)
        al_play_sample(sample, gain, 0.0f, 1.0f, ALLEGRO_PLAYMODE_ONCE, nullptr);
}

#include "app/sound.h"

bool audio_works = false;

namespace {
sound_listener listener = nullptr;
int mutes = 0;  // muted_sounds held
}

muted_sounds::muted_sounds(bool muting_now) : muting(muting_now)
{
    if (muting)
        mutes++;
}

muted_sounds::~muted_sounds()
{
    if (muting)
        mutes--;
}

void set_sound_listener(sound_listener new_listener)
{
    listener = new_listener;
}

void play_sound(ALLEGRO_SAMPLE* const* pair, int variant, float gain)
{
    if (mutes > 0)
        return;
    if (listener)
        listener({pair, variant, gain});
    ALLEGRO_SAMPLE* sample = pair[variant];
    if (audio_works && sample)
        al_play_sample(sample, gain, 0.0f, 1.0f, ALLEGRO_PLAYMODE_ONCE, nullptr);
}

void restart_sound(ALLEGRO_SAMPLE_INSTANCE* const* instances, ALLEGRO_SAMPLE* const* pair,
                   int variant, float gain)
{
    if (mutes > 0)
        return;
    if (listener)
        listener({pair, variant, gain});
    for (int other = 0; other < 2; other++)
        if (instances[other])
            al_stop_sample_instance(instances[other]);
    ALLEGRO_SAMPLE_INSTANCE* sound = instances[variant];
    if (!sound)
        return;
    al_set_sample_instance_gain(sound, gain);
    al_play_sample_instance(sound);
}

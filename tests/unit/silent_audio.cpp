#include "silent_audio.h"

#include <cstdlib>

#include <allegro5/allegro.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

// The library's OpenAL driver never frees the record of its mixing thread.
bool install_silent_audio()
{
    setenv("ALSOFT_DRIVERS", "null", 1);
    al_set_config_value(al_get_system_config(), "audio", "driver", "openal");
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
#endif
    bool started = al_install_audio() && al_reserve_samples(4);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif
    return started;
}

ALLEGRO_SAMPLE* make_silence(float seconds)
{
    const unsigned int frames = static_cast<unsigned int>(44100 * seconds);
    return al_create_sample(al_calloc(frames, 2), frames, 44100, ALLEGRO_AUDIO_DEPTH_INT16,
                            ALLEGRO_CHANNEL_CONF_1, true);
}

// Sounds made visible for the contact sheet: a 16-bit PCM WAV read back and
// drawn as a strip of short-time spectra, time to the right, pitch upwards.
#pragma once

#include <string>
#include <vector>

#include <allegro5/allegro.h>

struct pcm_sound {
    int rate = 0;
    std::vector<float> samples;  // channels mixed to mono, -1..1
};

// Reads a 16-bit PCM WAV; false (with `why` set) for anything else.
bool read_pcm_wav(const std::string& file, pcm_sound& sound, std::string& why);

// Samples per column: as few as fill `max_columns`, between 1 ms and 10 ms.
int column_step(const pcm_sound& sound, int max_columns);

// A new memory bitmap `rows` tall, one column per column_step (at most
// `max_columns`), brighter where the sound is louder; the caller destroys it.
ALLEGRO_BITMAP* draw_spectrogram(const pcm_sound& sound, int rows, int max_columns);

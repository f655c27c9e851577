// Sounds as plain sample arrays: mono, 44100 Hz, values in -1..1.
#pragma once

#include <string>
#include <vector>

constexpr int sample_rate = 44100;

using wave = std::vector<float>;

// Writes 16-bit PCM mono WAV, the only kind the game's audio loads here.
bool write_wav(const std::string& file, const wave& sound);

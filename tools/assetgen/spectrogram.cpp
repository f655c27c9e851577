#include "spectrogram.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "canvas.h"

namespace {

std::uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// Black through dark red and orange to pale yellow, for 0..1 of loudness.
rgba heat(float t)
{
    const rgba stops[5] = {rgb8(0, 0, 0), rgb8(90, 0, 20), rgb8(200, 40, 10), rgb8(255, 170, 30),
                           rgb8(255, 250, 210)};
    t = std::min(1.0f, std::max(0.0f, t)) * 4;
    int i = std::min(3, static_cast<int>(t));
    return mix(stops[i], stops[i + 1], t - i);
}

}  // namespace

int column_step(const pcm_sound& sound, int max_columns)
{
    // Short sounds are spread over more columns, down to 1 ms each.
    const int n = static_cast<int>(sound.samples.size());
    const int fastest = std::max(1, sound.rate / 1000), slowest = std::max(1, sound.rate / 100);
    return std::min(slowest, std::max(fastest, (n + max_columns - 1) / std::max(1, max_columns)));
}

bool read_pcm_wav(const std::string& file, pcm_sound& sound, std::string& why)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
        std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE") {
        why = "not a WAV file";
        return false;
    }
    int channels = 0, bits = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        std::string id(bytes.begin() + at, bytes.begin() + at + 4);
        std::size_t size = le32(&bytes[at + 4]), body = at + 8;
        if (body + size > bytes.size())
            size = bytes.size() - body;
        if (id == "fmt " && size >= 16) {
            if (le16(&bytes[body]) != 1) {
                why = "not PCM";
                return false;
            }
            channels = le16(&bytes[body + 2]);
            sound.rate = static_cast<int>(le32(&bytes[body + 4]));
            bits = le16(&bytes[body + 14]);
        } else if (id == "data") {
            if (bits != 16 || channels < 1 || sound.rate <= 0) {
                why = "not 16-bit PCM";
                return false;
            }
            std::size_t frames = size / (2 * channels);
            sound.samples.assign(frames, 0.0f);
            for (std::size_t f = 0; f < frames; f++)
                for (int c = 0; c < channels; c++) {
                    auto v = static_cast<std::int16_t>(le16(&bytes[body + 2 * (f * channels + c)]));
                    sound.samples[f] += v / 32768.0f / channels;
                }
            return true;
        }
        at = body + size + (size & 1);
    }
    why = "no sound data";
    return false;
}

ALLEGRO_BITMAP* draw_spectrogram(const pcm_sound& sound, int rows, int max_columns)
{
    const int window = 2 * rows;  // one row per frequency bin below half the rate
    const int n = static_cast<int>(sound.samples.size());
    const int hop = column_step(sound, max_columns);
    const int columns = std::max(1, std::min(max_columns, (n + hop - 1) / hop));
    ALLEGRO_BITMAP* strip = new_canvas(columns, rows);
    if (!strip)
        return nullptr;

    const float pi = 3.14159265f;
    std::vector<float> hann(window), cosines(window), sines(window);
    for (int i = 0; i < window; i++) {
        hann[i] = 0.5f - 0.5f * std::cos(2 * pi * i / window);
        cosines[i] = std::cos(2 * pi * i / window);
        sines[i] = std::sin(2 * pi * i / window);
    }
    pixels px;
    std::vector<float> frame(window);
    for (int col = 0; col < columns; col++) {
        for (int i = 0; i < window; i++) {
            int s = col * hop + i - window / 2;
            frame[i] = s >= 0 && s < n ? sound.samples[s] * hann[i] : 0.0f;
        }
        for (int bin = 0; bin < rows; bin++) {
            float re = 0, im = 0;
            for (int i = 0; i < window; i++) {
                int k = (bin * i) % window;
                re += frame[i] * cosines[k];
                im -= frame[i] * sines[k];
            }
            // 0 dB is a full-scale sine; the strip shows the top 80 dB.
            float level = std::hypot(re, im) / (window / 4.0f);
            float db = 20 * std::log10(std::max(level, 1e-6f));
            px.set(col, rows - 1 - bin, heat((db + 80) / 80));
        }
    }
    return strip;
}

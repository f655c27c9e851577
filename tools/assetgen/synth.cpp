#include "synth.h"

#include <algorithm>
#include <cmath>

namespace {

const double pi = 3.14159265358979323846;

}  // namespace

int samples_for(double seconds) { return static_cast<int>(std::lround(seconds * sample_rate)); }

wave white_noise(double seconds, prng& random)
{
    wave sound(samples_for(seconds));
    for (float& s : sound)
        s = random.range(-1, 1);
    return sound;
}

wave brown_noise(double seconds, prng& random)
{
    wave sound(samples_for(seconds));
    float level = 0;
    for (float& s : sound) {
        // A leaky sum stays centred instead of drifting away.
        level = level * 0.995f + random.range(-1, 1) * 0.1f;
        s = level;
    }
    return sound;
}

wave glide(double seconds, double f_start, double f_end)
{
    wave sound(samples_for(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < sound.size(); i++) {
        double t = static_cast<double>(i) / sound.size();
        phase += 2 * pi * f_start * std::pow(f_end / f_start, t) / sample_rate;
        sound[i] = static_cast<float>(std::sin(phase));
    }
    return sound;
}

wave ring(double seconds, std::initializer_list<partial> partials)
{
    wave sound(samples_for(seconds), 0.0f);
    for (std::size_t i = 0; i < sound.size(); i++) {
        double t = static_cast<double>(i) / sample_rate;
        double sum = 0;
        for (const partial& p : partials)
            sum += p.gain * std::exp(-t / p.decay) * std::sin(2 * pi * p.frequency * t);
        sound[i] = static_cast<float>(sum);
    }
    return sound;
}

void envelope(wave& sound, double attack, double decay)
{
    for (std::size_t i = 0; i < sound.size(); i++) {
        double t = static_cast<double>(i) / sample_rate;
        double level = t < attack ? t / attack : std::exp(-(t - attack) / decay);
        sound[i] *= static_cast<float>(level);
    }
}

void low_pass(wave& sound, double cutoff)
{
    const float a = static_cast<float>(1 - std::exp(-2 * pi * cutoff / sample_rate));
    float y = 0;
    for (float& s : sound) {
        y += a * (s - y);
        s = y;
    }
}

void high_pass(wave& sound, double cutoff)
{
    wave low = sound;
    low_pass(low, cutoff);
    for (std::size_t i = 0; i < sound.size(); i++)
        sound[i] -= low[i];
}

void band_pass(wave& sound, double centre, double q)
{
    // A two-pole resonator with unity gain at its centre.
    const double w = 2 * pi * centre / sample_rate, alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha, a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (float& s : sound) {
        double y = b0 * s + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = s;
        y2 = y1;
        y1 = y;
        s = static_cast<float>(y);
    }
}

void mix_in(wave& sound, const wave& part, double at, float gain)
{
    std::size_t start = static_cast<std::size_t>(samples_for(at));
    if (sound.size() < start + part.size())
        sound.resize(start + part.size(), 0.0f);
    for (std::size_t i = 0; i < part.size(); i++)
        sound[start + i] += part[i] * gain;
}

void finish(wave& sound, float peak)
{
    float loudest = 0;
    for (float s : sound)
        loudest = std::max(loudest, std::fabs(s));
    if (loudest > 0)
        for (float& s : sound)
            s *= peak / loudest;
    // A tail that stops dead clicks.
    const std::size_t ramp = std::min(sound.size(), static_cast<std::size_t>(samples_for(0.01)));
    for (std::size_t i = 0; i < ramp; i++)
        sound[sound.size() - 1 - i] *= static_cast<float>(i) / ramp;
}

wave slowed(const wave& sound, double stretch, double cutoff)
{
    wave slow(static_cast<std::size_t>(sound.size() * stretch));
    float peak = 0;
    for (float s : sound)
        peak = std::max(peak, std::fabs(s));
    for (std::size_t i = 0; i < slow.size(); i++) {
        double source = i / stretch;
        std::size_t k = static_cast<std::size_t>(source);
        float f = static_cast<float>(source - k);
        float a = sound[std::min(k, sound.size() - 1)], b = sound[std::min(k + 1, sound.size() - 1)];
        slow[i] = a + (b - a) * f;
    }
    low_pass(slow, cutoff);
    low_pass(slow, cutoff);
    finish(slow, peak);
    return slow;
}

#include "synth.h"

#include <algorithm>
#include <cmath>

namespace {

const double pi = 3.14159265358979323846;

pace current = normal_pace;

double hz(double frequency) { return frequency * current.pitch; }
double seconds_at_pace(double seconds) { return seconds * current.time; }

}  // namespace

pace_scope::pace_scope(pace p) : previous(current) { current = p; }
pace_scope::~pace_scope() { current = previous; }

int samples_for(double seconds) { return static_cast<int>(std::lround(seconds_at_pace(seconds) * sample_rate)); }

double unpaced(double seconds) { return seconds / current.time; }

wave white_noise(double seconds, prng& random)
{
    wave sound(samples_for(seconds));
    for (float& s : sound)
        s = random.range(-1, 1);
    // Played slower, noise loses its top end with everything else.
    if (current.pitch < 1) {
        low_pass(sound, 8000);
        low_pass(sound, 8000);
    }
    return sound;
}

wave brown_noise(double seconds, prng& random)
{
    wave sound(samples_for(seconds));
    // A leaky sum stays centred instead of drifting away; the leak sets how deep it goes.
    const float keep = static_cast<float>(1 - 0.005 * current.pitch);
    float level = 0;
    for (float& s : sound) {
        level = level * keep + random.range(-1, 1) * 0.1f;
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
        phase += 2 * pi * hz(f_start) * std::pow(f_end / f_start, t) / sample_rate;
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
            sum += p.gain * std::exp(-t / seconds_at_pace(p.decay)) * std::sin(2 * pi * hz(p.frequency) * t);
        sound[i] = static_cast<float>(sum);
    }
    return sound;
}

void envelope(wave& sound, double attack, double decay)
{
    const double rise = seconds_at_pace(attack), fall = seconds_at_pace(decay);
    for (std::size_t i = 0; i < sound.size(); i++) {
        double t = static_cast<double>(i) / sample_rate;
        double level = t < rise ? t / rise : std::exp(-(t - rise) / fall);
        sound[i] *= static_cast<float>(level);
    }
}

void fade_to(wave& sound, double from, double to, float level)
{
    const double start = seconds_at_pace(from), end = seconds_at_pace(to);
    for (std::size_t i = 0; i < sound.size(); i++) {
        double t = static_cast<double>(i) / sample_rate;
        if (t <= start)
            continue;
        // A raised cosine: no corner where the fade begins or ends.
        double eased = t >= end ? 1 : 0.5 - 0.5 * std::cos(pi * (t - start) / (end - start));
        sound[i] *= static_cast<float>(1 - (1 - level) * eased);
    }
}

void low_pass(wave& sound, double cutoff)
{
    const float a = static_cast<float>(1 - std::exp(-2 * pi * hz(cutoff) / sample_rate));
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
    const double w = 2 * pi * hz(centre) / sample_rate, alpha = std::sin(w) / (2 * q);
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

void saturate(wave& sound, float drive)
{
    float loudest = 0;
    for (float s : sound)
        loudest = std::max(loudest, std::fabs(s));
    if (loudest > 0)
        for (float& s : sound)
            s = std::tanh(drive * s / loudest);
}

void finish(wave& sound, float peak)
{
    // No speaker plays below 20 Hz; an offset there would click wherever the sound is cut.
    high_pass(sound, 20);
    const std::size_t rise = std::min(sound.size(), static_cast<std::size_t>(samples_for(0.001)));
    for (std::size_t i = 0; i < rise; i++)
        sound[i] *= static_cast<float>(i) / rise;
    const std::size_t fall = std::min(sound.size(), static_cast<std::size_t>(samples_for(0.01)));
    for (std::size_t i = 0; i < fall; i++)
        sound[sound.size() - 1 - i] *= static_cast<float>(i) / fall;
    float loudest = 0;
    for (float s : sound)
        loudest = std::max(loudest, std::fabs(s));
    if (loudest > 0)
        for (float& s : sound)
            s *= peak / loudest;
}

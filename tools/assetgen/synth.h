// Building blocks for the game's sounds: noise, decaying tones, envelopes,
// simple filters, and the slow-motion transform.
#pragma once

#include <initializer_list>

#include "noise.h"
#include "wave.h"

int samples_for(double seconds);

wave white_noise(double seconds, prng& random);
// Noise that has been integrated: a deep rumble rather than a hiss.
wave brown_noise(double seconds, prng& random);
// A sine gliding from f_start to f_end Hz (exponentially), for thumps.
wave glide(double seconds, double f_start, double f_end);
// A struck metal part: inharmonic partials, each with its own decay time.
struct partial {
    double frequency, gain, decay;
};
wave ring(double seconds, std::initializer_list<partial> partials);

// Linear rise over `attack` seconds, then an exponential fall with time constant `decay`.
void envelope(wave& sound, double attack, double decay);
void low_pass(wave& sound, double cutoff);
void high_pass(wave& sound, double cutoff);
void band_pass(wave& sound, double centre, double q);

// Adds `part` into `sound` from `at` seconds on, scaled by `gain`, growing it if needed.
void mix_in(wave& sound, const wave& part, double at, float gain);
// Scales the loudest sample to `peak` and ramps the last few milliseconds to silence.
void finish(wave& sound, float peak);

// The slow-motion twin: played `stretch` times slower (so lower in pitch)
// and darker, the way the whole match sounds at a tenth of its speed.
wave slowed(const wave& sound, double stretch, double cutoff);

// Building blocks for the game's sounds: noise, decaying tones, envelopes,
// simple filters, and the pace the sounds are made at.
#pragma once

#include <initializer_list>

#include "noise.h"
#include "wave.h"

// Every time and frequency handed to the blocks below is read at the current
// pace: as given at the normal pace; the slow-motion twins are made with time
// stretched and pitch lowered, as if the whole match ran slow.
struct pace {
    double time, pitch;
};
const pace normal_pace{1, 1};

// Makes sounds at `p` while it lives.
class pace_scope {
public:
    explicit pace_scope(pace p);
    ~pace_scope();
    pace_scope(const pace_scope&) = delete;
    pace_scope& operator=(const pace_scope&) = delete;

private:
    pace previous;
};

int samples_for(double seconds);
// Real seconds as seconds at the current pace: for what does not stretch with
// it, such as the slack in when the game cuts a sound off.
double unpaced(double seconds);

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
// Between `from` and `to` seconds the sound eases down to `level` times itself and
// stays there: a sound that is cut off at `to` is already quiet, so the cut is no click.
void fade_to(wave& sound, double from, double to, float level);
void low_pass(wave& sound, double cutoff);
void high_pass(wave& sound, double cutoff);
void band_pass(wave& sound, double centre, double q);

// Adds `part` into `sound` from `at` seconds on, scaled by `gain`, growing it if needed.
void mix_in(wave& sound, const wave& part, double at, float gain);
// Soft clipping: the loud parts are squeezed, so the sound is denser and
// carries on small speakers that cannot play its depth.
void saturate(wave& sound, float drive);
// Removes any offset, scales the loudest sample to `peak` and ramps both ends
// from and to silence, so the sound neither starts nor stops with a click.
void finish(wave& sound, float peak);

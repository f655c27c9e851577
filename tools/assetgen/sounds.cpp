// The game's sounds, each with its slow-motion twin ("_sm"): the same recipe
// made at the slow pace, ten times as long (the match then runs at a tenth of
// its speed) and an octave lower, so a burst keeps its rhythm in slow motion.
//
// | sound       | length | what it is                                                 |
// |-------------|--------|------------------------------------------------------------|
// | pistol      | 0.35 s | bright crack, short body, a room tail                      |
// | machine_gun | 0.35 s | punchy shot and the bolt's clack; restarted every 70 ms    |
// |             |        | (710 in slow motion), so quiet by 62 ms; an echo from      |
// |             |        | 120 ms on closes a burst                                   |
// | minigun     | 0.30 s | tight snap over the barrels' motor; restarted every 50 ms  |
// |             |        | (510), so quiet by 42 ms: the restarts make the buzz; an   |
// |             |        | echo from 95 ms on                                         |
// | shotgun     | 0.80 s | deep boom and long tail, then the pump's two clicks        |
// | explosion   | 1.20 s | crack, heavy rumble and roar squeezed loud, debris crackle |
// | blood       | 0.50 s | wet slap and squelch, then a few drops                     |
// | shell_1     | 0.20 s | brass case landing: bright ringing double clink            |
// | shell_2     | 0.12 s | plastic shotgun shell landing: dull low double tock        |
// Every sound is 16-bit PCM mono at 44100 Hz with its peak near full scale,
// except the casings', which stay well under the guns.
#include <string>

#include "registry.h"
#include "synth.h"

namespace {

const pace slow_motion{10, 0.5};

// Filtered noise with a sharp start: the snap of powder, the body of a bang.
wave burst(prng& random, double seconds, double decay, double low_cut, double high_cut)
{
    wave sound = white_noise(seconds, random);
    if (low_cut > 0)
        high_pass(sound, low_cut);
    if (high_cut > 0)
        low_pass(sound, high_cut);
    envelope(sound, 0.0005, decay);
    return sound;
}

// Noise around one pitch: a gun's body, or the room answering it.
wave resonance(prng& random, double seconds, double centre, double q, double attack, double decay)
{
    wave sound = white_noise(seconds, random);
    band_pass(sound, centre, q);
    envelope(sound, attack, decay);
    return sound;
}

wave thump(double seconds, double f_start, double f_end, double decay)
{
    wave sound = glide(seconds, f_start, f_end);
    envelope(sound, 0.002, decay);
    return sound;
}

wave click(prng& random, double centre)
{
    wave sound = white_noise(0.03, random);
    band_pass(sound, centre, 3);
    envelope(sound, 0.0003, 0.005);
    return sound;
}

wave pistol()
{
    prng random(101);
    wave sound(samples_for(0.35), 0.0f);
    mix_in(sound, burst(random, 0.05, 0.004, 2500, 0), 0, 1.0f);
    mix_in(sound, resonance(random, 0.15, 1400, 1.2, 0.0005, 0.018), 0, 1.4f);
    mix_in(sound, thump(0.12, 220, 90, 0.02), 0, 0.15f);
    mix_in(sound, resonance(random, 0.34, 1000, 0.7, 0.004, 0.09), 0.004, 0.3f);
    finish(sound, 0.9f);
    return sound;
}

// The automatic guns' sounds are cut off by their next shot, so they must be
// quiet at the cut and only ring out after it, for the last shot of a burst.
// The cut comes with the pace (7 ticks are 70 ms, 71 ticks of slow motion
// 710), but the mixer acts on it only where its current buffer of about 23 ms
// ends: a few milliseconds early, or a buffer or two late, in real time.
void quiet_before_cut(wave& sound, double cut)
{
    fade_to(sound, cut - unpaced(0.025), cut - unpaced(0.008), 0.01f);
}

wave machine_gun()
{
    prng random(102);
    wave sound(samples_for(0.35), 0.0f);
    mix_in(sound, burst(random, 0.03, 0.003, 1500, 0), 0, 0.7f);
    mix_in(sound, resonance(random, 0.08, 650, 0.9, 0.0005, 0.02), 0, 2.2f);
    mix_in(sound, thump(0.08, 150, 60, 0.022), 0, 0.35f);
    mix_in(sound, click(random, 2300), 0.028, 0.35f);  // the bolt
    quiet_before_cut(sound, 0.07);
    mix_in(sound, resonance(random, 0.23, 550, 0.7, 0.02, 0.07), 0.12, 0.2f);
    finish(sound, 0.9f);
    return sound;
}

wave minigun()
{
    prng random(103);
    wave sound(samples_for(0.3), 0.0f);
    mix_in(sound, burst(random, 0.02, 0.0015, 3000, 0), 0, 0.8f);
    mix_in(sound, resonance(random, 0.05, 1900, 1.2, 0.0005, 0.012), 0, 1.6f);
    mix_in(sound, thump(0.05, 260, 120, 0.009), 0, 0.4f);
    // The barrels' motor: a hoarse square tone held through the shot.
    wave motor = glide(0.05, 190, 180);
    for (float& s : motor)
        s = s > 0 ? 0.5f : -0.5f;
    low_pass(motor, 1200);
    envelope(motor, 0.002, 0.15);
    mix_in(sound, motor, 0, 0.15f);
    quiet_before_cut(sound, 0.05);
    mix_in(sound, resonance(random, 0.2, 700, 0.7, 0.015, 0.05), 0.095, 0.15f);
    finish(sound, 0.9f);
    return sound;
}

wave shotgun()
{
    prng random(104);
    wave sound(samples_for(0.8), 0.0f);
    mix_in(sound, burst(random, 0.06, 0.006, 1200, 0), 0, 0.6f);
    mix_in(sound, burst(random, 0.3, 0.06, 0, 800), 0, 2.5f);
    mix_in(sound, thump(0.5, 110, 40, 0.09), 0, 0.9f);
    mix_in(sound, resonance(random, 0.5, 400, 0.7, 0.005, 0.2), 0.005, 0.5f);
    mix_in(sound, click(random, 2600), 0.45, 0.2f);  // pump back
    mix_in(sound, click(random, 3400), 0.56, 0.25f); // and forward
    saturate(sound, 1.5f);
    finish(sound, 0.95f);
    return sound;
}

wave explosion()
{
    prng random(106);
    const double length = 1.2;
    wave sound;
    mix_in(sound, burst(random, length, 0.04, 500, 0), 0, 0.6f);
    wave rumble = brown_noise(length, random);
    low_pass(rumble, 300);
    envelope(rumble, 0.006, 0.3);
    mix_in(sound, rumble, 0, 2.5f);
    // The roar carries the blast on small speakers that cannot play the rumble.
    mix_in(sound, burst(random, length, 0.25, 120, 700), 0, 3.0f);
    mix_in(sound, thump(length, 90, 28, 0.25), 0, 1.0f);
    // Debris crackle: sparse ticks thinning out over the first second.
    for (int k = 0; k < 40; k++) {
        double at = 0.03 + random.uniform() * random.uniform() * 0.9;
        float gain = 0.12f * (1 - static_cast<float>(at));
        mix_in(sound, click(random, 2000 + 2500 * random.uniform()), at, gain);
    }
    sound.resize(samples_for(length));
    saturate(sound, 4);
    fade_to(sound, length - 0.4, length, 0);  // the squeezed rumble would stop short
    finish(sound, 0.95f);
    return sound;
}

wave blood()
{
    prng random(107);
    wave sound(samples_for(0.5), 0.0f);
    mix_in(sound, burst(random, 0.1, 0.018, 0, 900), 0, 1.0f);  // the slap
    // Wet grains, each a darker resonance than the last: the squelch.
    const double grain_at[] = {0.0, 0.04, 0.09, 0.16};
    const double centre[] = {520, 380, 300, 260};
    const float gain[] = {1.0f, 0.8f, 0.6f, 0.35f};
    for (int k = 0; k < 4; k++) {
        wave grain = resonance(random, 0.2, centre[k], 2.5, 0.003, 0.03 + 0.01 * k);
        low_pass(grain, 1200);
        mix_in(sound, grain, grain_at[k], gain[k]);
    }
    // Drops: short rising blips, the sound of liquid rather than of meat.
    const double drop_at[] = {0.17, 0.23, 0.3, 0.38};
    for (int k = 0; k < 4; k++) {
        double pitch = 500 + 300 * random.uniform();
        wave drop = glide(0.03, pitch, pitch * 2.2);
        envelope(drop, 0.001, 0.008);
        mix_in(sound, drop, drop_at[k], 0.15f - 0.025f * k);
    }
    mix_in(sound, thump(0.2, 110, 60, 0.05), 0, 0.1f);
    sound.resize(samples_for(0.5));
    finish(sound, 0.9f);
    return sound;
}

// One hard landing of a casing: its near end strikes and its far end follows
// a moment later. The casing's own bounces each play this again, so the sound
// holds no bounces of its own, and stays short: casings come by the dozen and
// every clink holds one of the mixer's few voices while it plays.
wave casing(std::initializer_list<partial> body, double click_centre, double length, float peak,
            std::uint32_t seed)
{
    prng random(seed);
    wave hit = ring(length, body);
    mix_in(hit, click(random, click_centre), 0, 0.3f);
    wave sound(samples_for(length), 0.0f);
    mix_in(sound, hit, 0, 1.0f);
    mix_in(sound, hit, 0.022, 0.35f);
    sound.resize(samples_for(length));
    finish(sound, peak);
    return sound;
}

// Clinks are many and small: they stay well under the guns.
wave shell_1()
{
    return casing({{3150, 1.0, 0.04}, {4720, 0.7, 0.03}, {6930, 0.5, 0.022}, {9120, 0.3, 0.015}}, 6000, 0.2,
                  0.15f, 108);
}

wave shell_2()
{
    return casing({{820, 1.0, 0.012}, {1390, 0.6, 0.008}, {2450, 0.3, 0.005}}, 1800, 0.12, 0.25f, 109);
}

void add_pair(const std::string& name, wave (*make)())
{
    add_sound("wav/" + name + ".wav", make);
    add_sound("wav/" + name + "_sm.wav", [make] {
        pace_scope slow(slow_motion);
        return make();
    });
}

}  // namespace

void add_sounds()
{
    add_pair("blood", blood);
    add_pair("explosion", explosion);
    add_pair("machine_gun", machine_gun);
    add_pair("minigun", minigun);
    add_pair("shell_1", shell_1);
    add_pair("shell_2", shell_2);
    add_pair("shotgun", shotgun);
    add_pair("pistol", pistol);
}

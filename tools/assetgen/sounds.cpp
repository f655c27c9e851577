// The game's sounds, each with its slow-motion twin ("_sm"): the same sound
// stretched 3.5 times, so lower and longer, and darker.
//
// | sound          | length  | what it is                                        |
// |----------------|---------|---------------------------------------------------|
// | pistol         | 0.40 s  | sharp crack with a short room tail                |
// | machine_gun    | 0.25 s  | one shot; the gun restarts it every 7 ticks       |
// | minigun        | 0.15 s  | one tight shot; restarted every 5 ticks           |
// | shotgun        | 0.60 s  | heavy boom, then the pump's two clicks            |
// | explosion      | 1.50 s  | crack, deep rumble and crackle                    |
// | blood          | 0.45 s  | wet splat of a fighter bursting                   |
// | shell_1        | 0.30 s  | brass case clinking on the floor                  |
// | shell_2        | 0.30 s  | shotgun shell: duller, lower clink                |
// Every sound is 16-bit PCM mono at 44100 Hz.
#include <string>

#include "registry.h"
#include "synth.h"

namespace {

const double slow_stretch = 3.5;
const double slow_cutoff = 2500;

// A filtered noise burst: the snap of powder, or the body of a bang.
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

wave thump(double seconds, double f_start, double f_end, double decay)
{
    wave sound = glide(seconds, f_start, f_end);
    envelope(sound, 0.002, decay);
    return sound;
}

// The four guns share one recipe: crack, body, low thump and a room tail.
struct gunshot {
    double length, crack_decay, body_decay, body_cut, thump_from, thump_to, thump_decay, tail_decay;
    float peak;
};

wave shot(const gunshot& g, std::uint32_t seed)
{
    prng random(seed);
    wave sound;
    mix_in(sound, burst(random, g.length, g.crack_decay, 900, 0), 0, 1.0f);
    mix_in(sound, burst(random, g.length, g.body_decay, 0, g.body_cut), 0, 1.6f);
    mix_in(sound, thump(g.length, g.thump_from, g.thump_to, g.thump_decay), 0, 0.7f);
    wave tail = burst(random, g.length, g.tail_decay, 0, 0);
    band_pass(tail, 700, 0.8);
    mix_in(sound, tail, 0.004, 0.5f);
    finish(sound, g.peak);
    return sound;
}

wave pistol() { return shot({0.40, 0.022, 0.05, 1800, 190, 60, 0.05, 0.12, 0.8f}, 101); }
wave machine_gun() { return shot({0.25, 0.016, 0.04, 1400, 160, 55, 0.045, 0.07, 0.75f}, 102); }

wave minigun()
{
    wave sound = shot({0.15, 0.01, 0.025, 2200, 230, 90, 0.025, 0.04, 0.7f}, 103);
    // The spinning barrels add a short mechanical buzz.
    wave buzz = glide(0.15, 118, 112);
    for (float& s : buzz)
        s = s > 0 ? 1.0f : -1.0f;
    low_pass(buzz, 1500);
    envelope(buzz, 0.002, 0.04);
    mix_in(sound, buzz, 0, 0.12f);
    finish(sound, 0.7f);
    return sound;
}

wave click(prng& random, double centre)
{
    wave sound = white_noise(0.03, random);
    band_pass(sound, centre, 3);
    envelope(sound, 0.0003, 0.005);
    return sound;
}

wave shotgun()
{
    wave sound = shot({0.34, 0.03, 0.11, 900, 120, 40, 0.11, 0.22, 1.0f}, 104);
    prng random(105);
    mix_in(sound, click(random, 2600), 0.40, 0.25f);  // pump back
    mix_in(sound, click(random, 3400), 0.50, 0.3f);   // and forward
    wave pad(samples_for(0.6), 0.0f);
    mix_in(pad, sound, 0, 1.0f);
    finish(pad, 0.9f);
    return pad;
}

wave explosion()
{
    prng random(106);
    const double length = 1.5;
    wave sound;
    mix_in(sound, burst(random, length, 0.05, 500, 0), 0, 0.8f);
    wave rumble = brown_noise(length, random);
    low_pass(rumble, 320);
    envelope(rumble, 0.006, 0.45);
    mix_in(sound, rumble, 0, 6.0f);
    // The roar carries the blast on small speakers that cannot play the rumble.
    mix_in(sound, burst(random, length, 0.35, 120, 700), 0, 0.9f);
    mix_in(sound, thump(length, 90, 28, 0.3), 0, 0.9f);
    // Debris crackle: sparse ticks thinning out over the first second.
    for (int k = 0; k < 40; k++) {
        double at = 0.03 + random.uniform() * random.uniform() * 1.0;
        float gain = 0.15f * (1 - static_cast<float>(at));
        mix_in(sound, click(random, 2000 + 2500 * random.uniform()), at, gain);
    }
    finish(sound, 0.95f);
    return sound;
}

wave blood()
{
    prng random(107);
    wave sound;
    // A few wet grains, each a darker resonance than the last.
    const double at[] = {0.0, 0.045, 0.1, 0.19};
    const double centre[] = {520, 380, 300, 640};
    const float gain[] = {1.0f, 0.8f, 0.6f, 0.35f};
    for (int k = 0; k < 4; k++) {
        wave grain = white_noise(0.25, random);
        band_pass(grain, centre[k], 2.5);
        low_pass(grain, 1200);
        envelope(grain, 0.003, 0.035 + 0.01 * k);
        mix_in(sound, grain, at[k], gain[k]);
    }
    mix_in(sound, thump(0.2, 110, 60, 0.05), 0, 0.35f);
    wave pad(samples_for(0.45), 0.0f);
    mix_in(pad, sound, 0, 1.0f);
    finish(pad, 0.8f);
    return pad;
}

// A casing lands, bounces and lands again, softer each time.
wave casing(std::initializer_list<partial> metal, double second_bounce, double third_bounce,
           std::uint32_t seed)
{
    prng random(seed);
    wave hit = ring(0.2, metal);
    mix_in(hit, click(random, 6000), 0, 0.3f);
    wave sound(samples_for(0.3), 0.0f);
    mix_in(sound, hit, 0, 1.0f);
    mix_in(sound, hit, second_bounce, 0.45f);
    mix_in(sound, hit, third_bounce, 0.18f);
    sound.resize(samples_for(0.3));
    finish(sound, 0.5f);
    return sound;
}

wave shell_1()
{
    return casing({{3150, 1.0, 0.045}, {4720, 0.7, 0.035}, {6930, 0.5, 0.025}, {9120, 0.3, 0.015}},
                  0.11, 0.19, 108);
}

wave shell_2()
{
    return casing({{1460, 1.0, 0.025}, {2310, 0.6, 0.02}, {3720, 0.35, 0.012}}, 0.09, 0.16, 109);
}

void add_pair(const std::string& name, wave (*make)())
{
    add_sound("wav/" + name + ".wav", make);
    add_sound("wav/" + name + "_sm.wav", [make] { return slowed(make(), slow_stretch, slow_cutoff); });
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

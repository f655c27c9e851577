// The generated sounds in the game folder (the working directory), judged by
// their numbers: loud but unclipped, no click where they start, end or are cut
// off, and slow-motion twins that are longer and deeper.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const double rate = 44100;
const float full_scale = 32767;

// The samples of a 16-bit PCM mono WAV file as the generator writes it, in -1..1.
std::vector<float> read_samples(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char header[44];
    std::vector<float> samples;
    if (!in.read(header, sizeof header) || std::string(header + 36, 4) != "data")
        return samples;
    std::int16_t value;
    while (in.read(reinterpret_cast<char*>(&value), sizeof value))
        samples.push_back(value / full_scale);
    return samples;
}

float peak(const std::vector<float>& s, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    float loudest = 0;
    for (std::size_t i = from; i < std::min(to, s.size()); i++)
        loudest = std::max(loudest, std::fabs(s[i]));
    return loudest;
}

double zero_crossings_per_second(const std::vector<float>& s)
{
    int crossings = 0;
    for (std::size_t i = 1; i < s.size(); i++)
        crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings * rate / s.size();
}

std::size_t at(double seconds) { return static_cast<std::size_t>(seconds * rate); }

const char* const pairs[] = {"pistol", "machine_gun", "shotgun", "minigun",
                             "explosion", "blood", "shell_1", "shell_2"};

TEST(GeneratedSounds, EverySoundIsLoudUnclippedAndStartsAndEndsInSilence)
{
    for (const char* pair : pairs)
        for (const char* suffix : {"", "_sm"}) {
            const std::string path = std::string("wav/") + pair + suffix + ".wav";
            const std::vector<float> s = read_samples(path);
            ASSERT_GT(s.size(), at(0.1)) << path;
            const float loudest = peak(s);
            EXPECT_LT(loudest, 0.98f) << path;
            EXPECT_GT(loudest, 0.1f) << path;
            // Fades, not steps: the first 0.1 ms and the last 1 ms are near silence.
            EXPECT_EQ(s.front(), 0.0f) << path;
            EXPECT_EQ(s.back(), 0.0f) << path;
            EXPECT_LT(peak(s, 0, 4), 0.1f * loudest) << path;
            EXPECT_LT(peak(s, s.size() - at(0.001)), 0.1f * loudest) << path;
            // An offset would click wherever the sound is cut off.
            double sum = 0;
            for (float v : s)
                sum += v;
            EXPECT_LT(std::fabs(sum / s.size()), 0.01 * loudest) << path;
        }
}

TEST(GeneratedSounds, SlowMotionTwinIsLongerDeeperAndAsLoud)
{
    for (const char* pair : pairs) {
        const std::vector<float> plain = read_samples(std::string("wav/") + pair + ".wav");
        const std::vector<float> slow = read_samples(std::string("wav/") + pair + "_sm.wav");
        ASSERT_FALSE(plain.empty()) << pair;
        EXPECT_GE(slow.size(), 5 * plain.size()) << pair;
        EXPECT_NEAR(peak(slow), peak(plain), 0.01f) << pair;
        EXPECT_LT(zero_crossings_per_second(slow), 0.75 * zero_crossings_per_second(plain)) << pair;
    }
}

// The machine gun and the minigun restart their sound with every shot, every 7
// and 5 ticks (71 and 51 in slow motion), and the mixer acts on the cut only
// where its buffer of about 23 ms ends. The sound must be quiet from a little
// before the cut to a buffer after it, yet not fall silent well before it, or a
// burst would click or stutter.
TEST(GeneratedSounds, AutomaticGunsAreQuietAtTheNextShotButNotBefore)
{
    struct cut_case {
        const char* file;
        double cut;
    };
    for (cut_case c : {cut_case{"wav/machine_gun.wav", 0.07}, cut_case{"wav/machine_gun_sm.wav", 0.71},
                       cut_case{"wav/minigun.wav", 0.05}, cut_case{"wav/minigun_sm.wav", 0.51}}) {
        const std::vector<float> s = read_samples(c.file);
        ASSERT_GT(s.size(), at(c.cut + 0.025)) << c.file;
        const float loudest = peak(s);
        EXPECT_LT(peak(s, at(c.cut - 0.005), at(c.cut + 0.025)), 0.01f * loudest) << c.file;
        for (std::size_t from = 0; from + at(0.01) < at(0.7 * c.cut); from += at(0.005)) {
            double energy = 0;
            for (std::size_t i = from; i < from + at(0.01); i++)
                energy += s[i] * s[i];
            EXPECT_GT(std::sqrt(energy / at(0.01)), 0.03 * loudest) << c.file << " at " << from / rate << " s";
        }
    }
}

}  // namespace

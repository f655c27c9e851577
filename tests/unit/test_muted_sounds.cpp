// Mutes nest: a sound is heard only while no owner holds one, whichever
// order the owners let go in.
#include <optional>

#include "app/sound.h"

namespace {

int heard = 0;

void count(const sound_event&)
{
    heard++;
}

TEST(MutedSounds, ASoundIsHeardOnlyWhileNoOwnerHoldsAMute)
{
    // Owner n takes a mute at +n and lets it go at -n; owner 0 asks for none.
    const struct {
        std::vector<int> steps;
        bool heard;
    } cases[] = {{{+1}, false},          {{+1, -1}, true},         {{+1, +2, -2}, false},
                 {{+1, +2, -1}, false},  {{+1, +2, -1, -2}, true}, {{0}, true}};
    ALLEGRO_SAMPLE* const pair[2] = {nullptr, nullptr};
    set_sound_listener(count);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        std::optional<muted_sounds> owners[3];
        for (const int step : c.steps) {
            if (step > 0)
                owners[step].emplace();
            else if (step < 0)
                owners[-step].reset();
            else
                owners[0].emplace(false);
        }
        heard = 0;
        play_sound(pair, 0, 1);
        EXPECT_EQ(heard, c.heard ? 1 : 0);
    }
    set_sound_listener(nullptr);
}

}  // namespace

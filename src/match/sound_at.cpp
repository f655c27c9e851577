#include "match/sound_at.h"

#include "app/logical_screen.h"
#include "app/sound.h"
#include "map/cmap.h"
#include "match/cgame.h"

namespace {

const float view_width = logical_width;
const float view_height = logical_height;
const float near_gain = 1.0f;
const float far_gain = 0.25f;

bool in_view(float x, float y)
{
    const float xs = static_cast<float>(map.get_xs());
    const float ys = static_cast<float>(map.get_ys());
    return x >= xs && x < xs + view_width && y >= ys && y < ys + view_height;
}

int variant()
{
    return game.slow() != 1.0f ? 1 : 0;
}

float gain_at(float x, float y)
{
    return in_view(x, y) ? near_gain : far_gain;
}

}  // namespace

void play_sound_at(ALLEGRO_SAMPLE* const* pair, float x, float y)
{
    play_sound(pair, variant(), gain_at(x, y));
}

void restart_sound_at(ALLEGRO_SAMPLE_INSTANCE* const* instances, ALLEGRO_SAMPLE* const* pair,
                      float x, float y)
{
    restart_sound(instances, pair, variant(), gain_at(x, y));
}

#include "match/name_tags.h"

#include <cmath>

#include "app/text.h"
#include "fighters/cplayer.h"
#include "fighters/fighter_palette.h"
#include "map/cmap.h"

namespace {

// Where a name stands from the fighter's corner: centred over the body,
// one small line above the head.
const int name_centre_x = 20;
const int name_rise = 34;

}  // namespace

void draw_name_tag(int slot, const std::string& name, int shirt)
{
    if (slot < 0 || slot >= max_players)
        return;
    const cplayer& fighter = players[slot];
    if (!fighter.get_active() || fighter.get_bot() || fighter.get_health() <= 0)
        return;
    const int width = text_width(static_cast<int>(name.size()), false);
    const float x = std::floor(fighter.get_x()) - map.get_xs() + name_centre_x - width / 2;
    const float y = std::floor(fighter.get_y()) - map.get_ys() - name_rise;
    draw_text(cloth_color(shirt), name.c_str(), static_cast<int>(x), static_cast<int>(y), false);
}

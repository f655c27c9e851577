#include "match/kill_feed.h"

#include <algorithm>

#include <allegro5/allegro_primitives.h>

#include "app/assets.h"
#include "app/logical_screen.h"
#include "app/text.h"
#include "fighters/cplayer.h"
#include "fighters/fighter_palette.h"
#include "fighters/last_blow.h"
#include "match/scoreboard.h"

namespace {

const int right_margin = 80;  // clear of the HUD's kill counter
const int feed_top = 90;
const int line_height = 36;
const int icon_width = 60;  // the cause's picture, scaled into this box
const int icon_height = 24;
const int gap = 12;

ALLEGRO_BITMAP* cause_picture(int cause)
{
    switch (cause) {
    case 0: return bpistol;
    case 1: return bmachine_gun;
    case 2: return bshotgun;
    case 3: return bminigun[0];
    case blow_grenade: return bgrenade_icon;
    default: return bskull;
    }
}

// The picture scaled to fit the icon box, keeping its shape, its right edge at `right`.
void draw_cause(int cause, int right, int y)
{
    ALLEGRO_BITMAP* picture = cause_picture(cause);
    if (!picture)
        return;
    const float w = static_cast<float>(al_get_bitmap_width(picture));
    const float h = static_cast<float>(al_get_bitmap_height(picture));
    const float scale = std::min(icon_width / w, icon_height / h);
    al_draw_scaled_bitmap(picture, 0, 0, w, h, right - w * scale, y + (icon_height - h * scale) / 2, w * scale,
                          h * scale, 0);
}

// A name in its fighter's shirt colour, on a light backing when that is dark.
void draw_name(int slot, const std::string& name, int x, int y)
{
    const ALLEGRO_COLOR shirt = slot >= 0 && slot < max_players ? players[slot].get_color(0) : al_map_rgb(255, 255, 255);
    if (dark_cloth(shirt))
        al_draw_filled_rectangle(x - 4, y - 2, x + text_width(static_cast<int>(name.size()), false) + 4,
                                 y + line_height - 8, light_backing());
    draw_text(shirt, name.c_str(), x, y, false);
}

}  // namespace

void kill_feed::add(int killer, int cause, int victim, std::uint32_t tick)
{
    const bool alone = killer < 0 || killer == victim || cause == blow_fall;
    entries.push_front({alone ? -1 : killer, cause, victim, tick});
    if (entries.size() > most_shown)
        entries.pop_back();
}

std::vector<kill_entry> kill_feed::shown(std::uint32_t now) const
{
    std::vector<kill_entry> fresh;
    for (const kill_entry& entry : entries)
        if (now - entry.tick < shown_ticks)
            fresh.push_back(entry);
    return fresh;
}

void draw_kill_feed(const std::vector<kill_entry>& entries, const std::vector<std::string>& human_names)
{
    const int right = logical_width - right_margin;
    int y = feed_top;
    for (const kill_entry& entry : entries) {
        const std::string victim = fighter_name(entry.victim, human_names);
        const std::string killer = entry.killer >= 0 ? fighter_name(entry.killer, human_names) : "";
        const int victim_x = right - text_width(static_cast<int>(victim.size()), false);
        const int icon_right = victim_x - gap;
        const int killer_x = icon_right - icon_width - gap - text_width(static_cast<int>(killer.size()), false);
        al_draw_filled_rectangle(killer_x - gap, y - 4, right + gap, y + line_height - 6, al_map_rgba(0, 0, 0, 150));
        if (!killer.empty())
            draw_name(entry.killer, killer, killer_x, y);
        draw_cause(entry.cause, icon_right, y);
        draw_name(entry.victim, victim, victim_x, y);
        y += line_height;
    }
}

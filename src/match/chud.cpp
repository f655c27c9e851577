#include "match/chud.h"

#include <cstdio>

#include "app/assets.h"
#include "app/text.h"
#include "fighters/cplayer.h"
#include "match/cgame.h"
#include "match/control.h"

namespace {

const int bar_height = 24;
const float full_bar = 300;

// Cuts a bar of the given width from the left end of the bar strip.
void draw_bar(float width, ALLEGRO_COLOR tint, int x, int y)
{
    if (width > 0)
        al_draw_tinted_bitmap_region(bhud[3], tint, 0, 0, width, bar_height, x, y, 0);
}

}  // namespace

void chud::init()
{
    for (int& choice : weapon)
        choice = 1;
}

void chud::update()
{
    for (int slot = 0; slot < max_players; slot++)
        if (weapon[slot] < 0)
            choose(slot);
}

void chud::choose(int slot)
{
    const control_key keys[] = {key_weapon_1, key_weapon_2, key_weapon_3, key_weapon_4};
    const control_reading control = control_of(slot);
    for (int number = 1; number <= 4; number++) {
        if (control.key(keys[number - 1])) {
            weapon[slot] = number;
            return;
        }
    }
    // The dead time is over and nothing was pressed: keep the previous choice.
    if (players[slot].get_health() == 0)
        weapon[slot] = -weapon[slot];
}

void chud::draw()
{
    const int shown = game.get_shown_slot();
    const cplayer& human = players[shown];
    if (human.get_health() <= 0) {
        if (weapon[shown] < 0)
            al_draw_bitmap(bweapons, 810, 390, 0);
        return;
    }

    al_draw_bitmap(bhud[0], 150, 25, 0);
    draw_bar(human.get_health() * 3, al_map_rgb(255, 0, 0), 271, 33);
    al_draw_bitmap(bhud[1], 764, 25, 0);
    draw_bar(human.get_ammo() * full_bar, al_map_rgb(255, 255, 0), 849, 33);
    al_draw_bitmap(bhud[2], 1342, 25, 0);
    draw_bar(game.get_timer() * 0.3f, al_map_rgb(0, 255, 0), 1427, 33);

    char text[32];
    std::snprintf(text, sizeof text, "%2i\n", human.get_kills());
    draw_text(al_map_rgb(255, 255, 255), text, 1864, 245, true);
    al_draw_bitmap(bskull, 1867, 190, 0);

    for (int i = 0; i < human.get_grenades(); i++)
        al_draw_bitmap(bgrenade_icon, 1140 - 25 * i, 70, 0);

    const control_reading aim = aim_of(shown);
    al_draw_bitmap(bcrosshair, aim.screen_x() - 8, aim.screen_y() - 8, 0);
}

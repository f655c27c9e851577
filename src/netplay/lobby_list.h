// What the lobby screens of the host and of a joiner share: the players in
// the lobby, one row each, and the lines of text centred above and below.
#pragma once

#include <vector>

#include <allegro5/allegro.h>

#include "net/net_messages.h"

// Where the list's rows stand, for the screens that draw around it.
struct lobby_list_layout {
    static constexpr int top = 300;
    static constexpr int row_spacing = 50;
    static constexpr int bottom = top + row_spacing * net_max_slots;
};

// One row a human, slot 0 (the host) first: the slot's number counted from
// 1, the fighter's head with its hair, squares of its shirt's and its pants'
// colours, and its name, marked "(HOST)" on slot 0 when the host plays and
// "(YOU)" on `local_slot`.
void draw_lobby_list(const std::vector<net_player>& humans, int local_slot, bool host_plays = true);

// This player's look and name, from the options.
net_player own_look();

void draw_centred_line(const char* text, int y, bool big, ALLEGRO_COLOR color = al_map_rgb(255, 255, 255));

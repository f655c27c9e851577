// The network screen, from the menu: the player's name, HOST with the port
// to open, JOIN with the address to join and the last five addresses joined
// (a click fills the field). A click on a field types into it; Enter in the
// port's or the address's field hosts or joins, Escape leaves a field and,
// with none, goes back to the menu. The name, the port and the addresses are
// kept in the settings. Below, the games found on the local network, asked
// for every 2 s: a click on one joins it, a click on its WATCH watches it.
#pragma once

#include <cstdint>
#include <string>

#include <allegro5/allegro_primitives.h>

#include "app/press_latch.h"
#include "frontend/text_field.h"
#include "net/game_finder.h"

class network_screen {
public:
    enum class choice { none, host, join, watch, back };

    network_screen();

    // Fills the fields from the options and starts looking for games.
    void init();
    // Stops looking for games.
    void deinit() { finder.close(); }
    void update();
    void draw();
    bool done() const { return chosen != choice::none; }
    choice get_choice() const { return chosen; }
    // What a host or a join goes with: checked when chosen.
    std::uint16_t get_port() const { return port; }
    const std::string& get_address() const { return address; }

private:
    enum class field_id { none, name, port, address };

    text_field* field(field_id which);
    void click(float x, float y);
    void confirm(field_id which);
    void keep_name();
    void host();
    void join();
    void join_found(const found_game& game, bool to_watch);
    void draw_games() const;

    text_field name_field;
    text_field port_field;
    text_field address_field;
    field_id focused = field_id::none;
    choice chosen = choice::none;
    std::uint16_t port = 0;
    std::string address;
    std::string message;
    press_latch click_latch;  // the left button
    game_finder finder;
    ALLEGRO_VERTEX backdrop[4];
};

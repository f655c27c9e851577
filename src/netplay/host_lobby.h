// The host's lobby: the port to tell the others, the players who joined in
// their colours, the map and the limits of the next match beside them, and
// the bots and skill of the host's options. Enter starts the match once
// someone has joined; Escape closes the lobby; T opens a line to say. After
// a match that ended by its limits, the same lobby comes back with the same
// players.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <allegro5/allegro_primitives.h>

#include "app/press_latch.h"
#include "netplay/chat_box.h"
#include "netplay/lobby_choices.h"

class match_cycle;
class net_session;

class host_lobby {
public:
    host_lobby();

    // Opens the lobby on `port` with the options' map and `rules`; the
    // match will be seeded with `seed`. False, with the reason in `error`,
    // when the port cannot be opened.
    bool init(match_cycle& cycle, std::uint16_t port, std::uint32_t seed, std::string& error,
              const match_rules& rules);
    // Back after a match, for the next one, seeded with `seed`.
    void resume(std::uint32_t seed);
    void update();
    void draw();
    // The match started, the host left, or the session ended.
    bool done() const;

private:
    void start();
    // Tells the session the map and limits the choices name now.
    void offer();

    match_cycle* cycle = nullptr;
    net_session* session = nullptr;
    std::uint16_t port = 0;
    std::uint32_t seed = 0;
    press_latch start_key;   // Enter
    press_latch leave_key;   // Escape
    chat_box chat;
    std::string message;     // why Enter did not start
    std::string join_hint;   // this computer's addresses, read once
    std::size_t humans_seen = 0;
    lobby_choices choices;
    ALLEGRO_VERTEX backdrop[4];
};

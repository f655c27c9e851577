// The host's lobby: the port to tell the others, the players who joined in
// their colours, and the match the host's options make (map, bots, skill).
// Enter starts the match once someone has joined; Escape closes the lobby.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <allegro5/allegro_primitives.h>

#include "app/press_latch.h"

class net_session;

class host_lobby {
public:
    host_lobby();

    // Opens the lobby on `port`; the match will be seeded with `seed`.
    // False, with the reason in `error`, when the port cannot be opened.
    bool init(net_session& session, std::uint16_t port, std::uint32_t seed, std::string& error);
    void update();
    void draw();
    // The match started, the host left, or the session ended.
    bool done() const;

private:
    void start();

    net_session* session = nullptr;
    std::uint16_t port = 0;
    std::uint32_t seed = 0;
    press_latch start_key;   // Enter
    press_latch leave_key;   // Escape
    std::string message;     // why Enter did not start
    std::string join_hint;   // this computer's addresses, read once
    std::size_t humans_seen = 0;
    ALLEGRO_VERTEX backdrop[4];
};

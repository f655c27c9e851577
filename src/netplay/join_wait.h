// A joiner's wait: "JOINING HOST:PORT..." while the host has not answered,
// then the lobby's players in their colours and the match the host offers
// until the host starts it.
// Escape leaves; a session that ends (no answer, the host gone) ends it too.
// In the lobby T or Enter opens a line to say.
#pragma once

#include <cstdint>
#include <string>

#include <allegro5/allegro_primitives.h>

#include "app/press_latch.h"
#include "netplay/chat_box.h"

class match_cycle;
class net_session;

class join_wait {
public:
    join_wait();

    // Starts joining the host at `address`; false, with the reason in
    // `error`, when that cannot even begin (an address that names no one).
    // To watch, with no fighter, when `watching`.
    bool init(match_cycle& cycle, const std::string& address, std::uint16_t port, std::string& error,
              bool watching = false);
    // Back in the host's lobby after a match.
    void resume();
    void update();
    void draw();
    // The match started, the joiner left, or the session ended.
    bool done() const;

private:
    match_cycle* cycle = nullptr;
    net_session* session = nullptr;
    std::string where;  // "HOST:PORT"
    press_latch leave_key;  // Escape
    chat_box chat;
    ALLEGRO_VERTEX backdrop[4];
};

// The chat of a lobby or a network match: the lines the session hears, shown
// for ten seconds each, and a line to type at the bottom. T opens it (and
// Enter, where Enter means nothing else), Enter says it, Escape drops it.
// While it is open the screen's own keys rest, the fighter's included.
#pragma once

#include <cstdint>
#include <vector>

#include "frontend/text_field.h"
#include "match/chat_view.h"

class net_session;

class chat_box {
public:
    chat_box();

    void init(net_session& session, bool enter_opens);
    // Once an update, after the keyboard's poll: takes the lines heard and
    // the keys typed. True while the box has the keyboard (open, or closed
    // on this update), when the screen must not act on its own keys.
    bool update();
    bool is_open() const { return open; }
    void draw() const;

    // The lines shown now, for the tests.
    std::vector<chat_entry> shown() const { return chat_shown(lines, now); }

private:
    void take_heard();
    bool opens(const typed_key& key) const;

    net_session* session = nullptr;
    text_field field;
    bool enter_opens = false;
    bool open = false;
    std::uint32_t now = 0;  // updates since init
    std::uint64_t heard_taken = 0;
    std::vector<chat_entry> lines;  // the last few taken
};

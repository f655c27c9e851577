// When a server's lobby starts the next match: once enough humans have been
// in it together for the lobby's time. The count begins again whenever they
// fall short, and when the lobby opens again after a match, so that there
// are always a few seconds to join between matches.
#pragma once

#include <chrono>

class lobby_countdown {
public:
    using clock = std::chrono::steady_clock;

    lobby_countdown(int humans_needed, std::chrono::seconds time) : wait_for(humans_needed), wait(time) {}
    // The lobby opens: at the start, and after every match.
    void open() { counting = false; }
    // Whether the match starts now, with `humans` in the lobby.
    bool due(int humans, clock::time_point now);

private:
    int wait_for;
    std::chrono::seconds wait;
    bool counting = false;
    clock::time_point enough_since{};
};

// Follows a server's session tick by tick and writes what happened in it
// (see server_log.h): the humans who come and go in the lobby, the watchers,
// what the match's events tell once no going back can undo it (its deaths,
// the players who came in late and those who left), and the end of each
// match.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "net/net_session.h"

class session_log {
public:
    // Every tick in the lobby.
    void watch_lobby(const net_session& session);
    // The match just begun: `number` counts them from 1.
    void match_started(const net_session& session, int number);
    // Every tick of the match, after it stepped.
    void watch_match(const net_session& session);
    // The match is over, the lobby back: those who left it are gone, and one
    // it never brought in is new there.
    void match_left();
    void watch_watchers(const net_session& session);
    // Every human who began the match or came in late has left it.
    bool everyone_left() const;
    int match_number() const { return number; }
    // The names of the match's humans, slot by slot.
    const std::vector<std::string>& match_names() const { return names; }

private:
    struct match_human {
        net_player player;
        bool came_in = false;  // began the match, or the match brought them in
        bool left = false;     // their leave is written
    };

    void take_newcomers(const net_session& session);
    void write_events(const match_events& events, std::uint32_t final_tick);
    void write_leave(std::size_t slot);

    std::vector<net_player> known;  // the humans as last written
    int watchers = 0;
    // The match: its humans, what was written of it.
    int number = 0;
    std::string map_name;
    std::vector<match_human> humans;
    std::vector<std::string> names;  // the humans' by slot
    std::size_t written = 0;         // of the match's events
    bool end_written = false;
};

// A network session's cycle, the same for the window, the server and the
// headless peer: the host starts a match from its lobby, every tick hears
// the others and steps the match, the match's end by the host's limits is
// told once, and so is the way back to the lobby. What an owner draws,
// counts down, rotates, keeps or prints about it stays the owner's.
#pragma once

#include <cstdint>
#include <string>

#include "match/match_rules.h"
#include "net/net_session.h"

class match_cycle {
public:
    // What a tick brought, for the owner to act on.
    enum class news {
        none,
        began,          // the host's word that the match starts came (a joiner's news)
        over,           // the match ended by the host's limits, on every peer
        back_in_lobby,  // the host took everyone back to its lobby
        ended,          // the session is over: left, or the host is gone
    };

    explicit match_cycle(net_session& own) : session(own), seen(own.get_phase()) {}

    // The host starts a match from its lobby on the map it read from
    // `map_text`: true when it began, false with the reason.
    bool start(const std::string& map_name, const std::string& map_text, std::uint32_t seed, std::string& error);
    // Hears the others and, in a match, steps on `local`.
    news tick(const control_reading& local);
    // Only hears them, waiting up to `wait_ms` for a word: in a lobby, or a
    // match whose peer holds its controls back.
    news hear(int wait_ms = 0);
    // The host ends the match before its limits: everyone back to its lobby.
    news back_to_lobby();
    // Leaves the session: the host ends it for everyone.
    news leave();

    bool in_lobby() const { return seen == net_session::phase::lobby; }
    bool in_match() const { return seen == net_session::phase::playing; }
    // How the match ended and its last tick, once `over` was told.
    const match_result& get_result() const { return result; }
    std::uint32_t get_ended_at() const { return ended_at; }
    net_session& get_session() const { return session; }

private:
    // What changed since the last look.
    news notice();

    net_session& session;
    net_session::phase seen;
    bool over_told = false;
    match_result result;
    std::uint32_t ended_at = 0;
};

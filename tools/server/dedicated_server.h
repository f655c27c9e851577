// zk3-server's loop: a tick every 10 ms of the session's cycle, in the lobby
// and in the match. The lobby starts a match on the next map once enough
// humans have been there long enough (lobby_countdown.h); the session plays
// it and brings everyone back after its end; a match whose players have all
// left ends at once. Each match's replay is kept and its figures go to
// standard error.
#pragma once

#include <chrono>
#include <random>
#include <string>

#include "lobby_countdown.h"
#include "map_rotation.h"
#include "net/net_session.h"
#include "netplay/match_cycle.h"
#include "process_figures.h"
#include "server_options.h"
#include "session_log.h"

class dedicated_server {
public:
    dedicated_server(const server_options& options, map_rotation& maps, const std::string& replays);
    // Opens the lobby on the options' port; false with the reason.
    bool open(std::string& error);
    // Hosts match after match until a stop signal, then tells every peer:
    // 0 then, 1 when the session ended by itself.
    int run();

private:
    // One tick; false once the session ended by itself.
    bool tick();
    void in_lobby();
    void start_next();
    void end_early();
    // Back in the lobby, by the match's end or early: its replay and figures.
    void after_match();
    void keep_replay();
    void stop(int signal_number);

    const server_options& settings;
    map_rotation& maps;
    std::string replays;
    net_session session;
    match_cycle cycle{session};
    session_log log;
    lobby_countdown countdown;
    std::mt19937 seeds;
    // At the start of the match, for its figures.
    std::chrono::steady_clock::time_point began{};
    process_figures figures_then;
    std::uint64_t sent_then = 0;
};

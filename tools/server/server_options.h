// zk3-server's command line: everything it needs to host match after match,
// each value held to what the session and the game take.
#pragma once

#include <string>
#include <vector>

#include "match/match_rules.h"
#include "match/match_shape.h"

struct server_options {
    long port = 27960;
    std::string name = "ZK3 SERVER";  // as the finders of games list it
    long bots = 4;
    long skill = 1;  // 0 hard, 1 medium, 2 easy, as the options hold it
    long score_limit = 20;
    long time_limit = 10;  // minutes
    long most_players = max_players;
    long wait_for = 1;        // humans in the lobby before a match starts
    // How long they are there together first: a second at least, so that
    // every player's screen shows the lobby between two matches.
    long lobby_seconds = 15;
    std::string replays;      // "" for the usual replays folder
    std::vector<std::string> maps;  // the rotation, as paths
};

enum class server_command { run, help, refuse };

// Reads the arguments after the program's name. `refuse` comes with one
// line of reason in `error`; `help` as soon as --help is met.
server_command read_server_options(int argc, const char* const* argv, server_options& out, std::string& error);

match_rules rules_of(const server_options& options);
// "hard", "medium" or "easy".
const char* skill_name(long skill);

// What --help prints.
extern const char* const server_usage;

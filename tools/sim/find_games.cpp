// zk3-sim --find [SECONDS]: listens for the games on the local network for
// SECONDS (2 unless given, 1 to 60) and prints one line per game found:
//
//   game ADDR:PORT name NAME map MAP players N/11 state lobby|playing ping MS
//
// with " version V" after it for a game of another protocol version, and
// on standard error how long each took to be found. Exit status 0, also
// when none was; a bad argument exits 2.
#include "find_games.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "net/game_finder.h"
#include "net/net_messages.h"
#include "net_peer.h"

namespace {

const int bad_usage = 2;
const long default_seconds = 2;
const auto poll_time = std::chrono::milliseconds(10);

// Says on standard error when a game first showed, for judging the finder.
void note_newcomers(const std::vector<found_game>& games, std::vector<std::string>& seen,
                    std::chrono::steady_clock::duration since_start)
{
    for (const found_game& game : games) {
        const std::string where = game.address + ":" + std::to_string(game.port);
        bool known = false;
        for (const std::string& one : seen)
            known = known || one == where;
        if (known)
            continue;
        seen.push_back(where);
        std::fprintf(stderr, "zk3-sim: found %s after %lld ms\n", where.c_str(),
                     static_cast<long long>(
                         std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count()));
    }
}

}  // namespace

int run_finder(int argc, char** argv)
{
    long seconds = default_seconds;
    if (argc > 3 || (argc == 3 && !read_number(argv[2], 1, 60, seconds))) {
        std::fprintf(stderr, "zk3-sim: --find takes at most one number of seconds, from 1 to 60\n"
                             "usage: zk3-sim --find [SECONDS]\n");
        return bad_usage;
    }
    game_finder finder;
    std::string error;
    if (!finder.open(error)) {
        std::fprintf(stderr, "zk3-sim: %s\n", error.c_str());
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto until = start + std::chrono::seconds(seconds);
    std::vector<std::string> seen;
    for (auto now = start; now < until; now = std::chrono::steady_clock::now()) {
        finder.poll(now);
        note_newcomers(finder.games(), seen, now - start);
        std::this_thread::sleep_for(poll_time);
    }
    for (const found_game& game : finder.games()) {
        std::printf("game %s:%u name %s map %s players %d/%d state %s ping %d", game.address.c_str(),
                    game.port, game.name.c_str(), game.map.c_str(), game.players, net_max_slots,
                    game.playing ? "playing" : "lobby", game.ping_ms);
        if (game.version != net_protocol_version)
            std::printf(" version %d", game.version);
        std::printf("\n");
    }
    finder.close();
    return 0;
}

// zk3-sim: a whole match with no display and no sound, for judging maps and
// bots. The human stands idle; the bots play by the game's own rules.
//
//   zk3-sim [--bots N] [--skill 0|1|2] [--ticks T] [--seed S] MAP
//   zk3-sim --replay FILE
//   zk3-sim --host PORT ... MAP, zk3-sim --join | --watch ADDR:PORT ... (see net_peer.cpp)
//   zk3-sim --find [SECONDS] (see find_games.cpp)
//
// Prints one line per fighter, then the totals. A bad map or argument gives
// a message on standard error and exit status 2.
//
// With --replay it plays a replay file to its end, checking every
// checkpoint, and prints "replay ticks T checkpoints C hash H": exit status
// 0 when every checkpoint matched, 1 at the first that did not (naming its
// tick), 2 for a file that is not a playable replay.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <allegro5/allegro.h>

#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/match_hash.h"
#include "match/match_tally.h"
#include "find_games.h"
#include "net_peer.h"
#include "replay/replay_folder.h"
#include "replay/replay_player.h"

namespace {

const int bad_usage = 2;

struct settings {
    long bots = 10;
    long skill = 1;
    long ticks = 60000;
    long seed = 1;
    const char* map_path = nullptr;
};

int usage(const char* problem)
{
    std::fprintf(stderr, "zk3-sim: %s\n", problem);
    std::fprintf(stderr,
                 "usage: zk3-sim [--bots 1..10] [--skill 0|1|2] [--ticks T] [--seed S] MAP\n"
                 "       zk3-sim --replay FILE\n"
                 "       zk3-sim --host PORT [...] MAP | --join ADDR:PORT [...] | --watch ADDR:PORT [...]\n"
                 "       zk3-sim --find [SECONDS]\n");
    return bad_usage;
}

// Fills `out` from the arguments; an empty string on success, else the problem.
const char* parse(int argc, char** argv, settings& out)
{
    static char problem[200];
    for (int i = 1; i < argc; i++) {
        const char* argument = argv[i];
        struct option {
            const char* name;
            long low, high;
            long* value;
        } options_list[] = {
            {"--bots", 1, 10, &out.bots},
            {"--skill", 0, 2, &out.skill},
            {"--ticks", 0, 1000000000, &out.ticks},
            {"--seed", 0, 2147483647, &out.seed},
        };
        bool matched = false;
        for (const option& known : options_list) {
            if (std::strcmp(argument, known.name) != 0)
                continue;
            matched = true;
            if (i + 1 >= argc || !read_number(argv[i + 1], known.low, known.high, *known.value)) {
                std::snprintf(problem, sizeof problem, "%s needs a whole number from %ld to %ld",
                              known.name, known.low, known.high);
                return problem;
            }
            i++;
        }
        if (matched)
            continue;
        if (argument[0] == '-' && argument[1] != '\0') {
            std::snprintf(problem, sizeof problem, "unknown option %.100s", argument);
            return problem;
        }
        if (out.map_path)
            return "give one map file";
        out.map_path = argument;
    }
    return out.map_path ? "" : "no map file given";
}

int play_replay(const char* path)
{
    replay_data replay;
    std::string error;
    if (!load_replay(path, replay, error)) {
        std::fprintf(stderr, "zk3-sim: %s\n", error.c_str());
        return bad_usage;
    }
    replay_player player;
    if (!player.start(replay, error)) {
        std::fprintf(stderr, "zk3-sim: %s: %s\n", path, error.c_str());
        return bad_usage;
    }
    while (player.get_mismatch() < 0 && player.step()) {
    }
    player.stop();
    if (player.get_mismatch() >= 0) {
        std::printf("replay differs at tick %ld\n", player.get_mismatch());
        return 1;
    }
    std::printf("replay ticks %u checkpoints %d hash %016llx\n", player.get_ticks(),
                player.checkpoints_passed(), static_cast<unsigned long long>(match_hash()));
    const match_result result = match_result_now(replay.setup.rules, player.get_ticks());
    if (result.over)
        print_match_over(result, player.get_ticks());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (std::strcmp(argv[1], "--host") == 0 || std::strcmp(argv[1], "--join") == 0 ||
                      std::strcmp(argv[1], "--watch") == 0)) {
        if (!al_init()) {
            std::fprintf(stderr, "zk3-sim: the multimedia library did not start\n");
            return 1;
        }
        return run_net_peer(argc, argv);
    }
    if (argc >= 2 && std::strcmp(argv[1], "--find") == 0)
        return run_finder(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--replay") == 0) {
        if (argc != 3)
            return usage("--replay takes one replay file and nothing else");
        if (!al_init()) {
            std::fprintf(stderr, "zk3-sim: the multimedia library did not start\n");
            return 1;
        }
        return play_replay(argv[2]);
    }
    settings run;
    const char* problem = parse(argc, argv, run);
    if (problem[0] != '\0')
        return usage(problem);
    if (!al_init()) {
        std::fprintf(stderr, "zk3-sim: the multimedia library did not start\n");
        return 1;
    }

    std::ifstream file(run.map_path);
    if (!file.is_open()) {
        std::fprintf(stderr, "zk3-sim: cannot open %s\n", run.map_path);
        return bad_usage;
    }
    // Tile pictures are not needed: a match without a display draws nothing.
    if (!map.read(file, run.map_path)) {
        std::fprintf(stderr, "zk3-sim: %s\n", map.get_error());
        return bad_usage;
    }

    std::srand(static_cast<unsigned int>(run.seed));
    options.set_bots(static_cast<int>(run.bots));
    options.set_skill(static_cast<int>(run.skill));
    game.start();
    match_tally tally;
    tally.start();
    match_events events;
    for (long tick = 0; tick < run.ticks; tick++) {
        game.update(&events);
        tally.watch(events);
    }

    int kills = 0, deaths = 0;
    for (int id = 0; id <= options.get_bots(); id++) {
        const fighter_tally& fighter = tally.get(id);
        std::printf("fighter %d kills %d deaths %d cells %d longest_in_cell %d\n", id,
                    fighter.kills, fighter.deaths, fighter.cells, fighter.longest_in_cell);
        kills += fighter.kills;
        deaths += fighter.deaths;
    }
    std::printf("total kills %d deaths %d\n", kills, deaths);
    game.deinit();
    return 0;
}

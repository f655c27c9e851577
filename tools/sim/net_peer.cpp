// zk3-sim as a peer of a network match, headless, for tests and for
// watching bots:
//
//   zk3-sim --host PORT [--players N] [--bots N] [--skill S] [--seed S] [--ticks T]
//           [--play-randomly SEED] [--lose PERCENT] [--delay MS] [--name NAME]
//           [--score-limit K] [--time-limit MINUTES] [--record FOLDER] MAP
//   zk3-sim --join ADDR:PORT [--ticks T] [--play-randomly SEED] [--lose PERCENT] [--delay MS]
//           [--misbehave idle|flood|lies|hash] [--record FOLDER] [--name NAME] [--matches N]
//   zk3-sim --watch ADDR:PORT [--ticks T] [--record FOLDER]
//   either of the first two with [--chat]
//
// The host waits for N - 1 joiners, then every peer plays T ticks (a
// multiple of 100) in real time, its fighter driven by a random hand (or
// standing idle), and prints "net tick T hash H" once every peer agrees on
// the hash there, with the figures of its rollbacks and sends on standard
// error; the host leaves once its joiners and watchers have. A match that
// ends by the host's limits before T prints
// "match over tick T winner SLOT" (or "draw"), and its hash line is for that
// tick. --record writes the match's replay into FOLDER. A desync prints "out of step at tick T" and exits 1; a bad argument
// or a host that cannot be reached exits 2. A misbehaving joiner (see
// misbehaviour.h) plays until the host lets it go or the match ends, and
// exits 0 either way. A watcher has no fighter: it steps the match on the
// players' controls as they come and prints its hash line as they do.
// A joiner may come into a match under way, as a watcher may: it catches
// up and then takes over the next bot's fighter, saying so on standard
// error ("came in as slot S at tick T"); every peer says "at tick T" each
// thousandth tick it has stepped.
// With --chat the peer says a line of 100 characters
// twice a second through the match, and sums up what it heard. A joiner
// with --matches N stays in the host's lobby after a match that ended by
// the host's limits, for up to N matches in all, each printing its lines;
// a host that leaves between them ends it as planned: it prints the host's
// reason and exits 0.
#include "net_peer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "map/cmap.h"
#include "map/map_file.h"
#include "match/cgame.h"
#include "match/match_shape.h"
#include "net/net_link.h"
#include "net/net_session.h"
#include "netplay/match_cycle.h"
#include "replay/replay_folder.h"
#include "misbehaviour.h"
#include "random_hand.h"

namespace {

const int bad_usage = 2;
const int out_of_step = 1;
const std::chrono::seconds lobby_wait(60);
const std::chrono::seconds finish_wait(20);
// play_match's word that a joiner of several matches stays for the next.
const int next_match = -1;

struct peer_settings {
    bool hosting = false;
    bool watching = false;
    long port = 0;
    std::string address;
    long players = 2;
    long bots = 2;
    long skill = 1;
    long seed = 1;
    long ticks = 3000;
    long hand_seed = -1;  // none: the fighter stands idle
    long lose = 0;
    long delay = 0;
    misbehaviour way = misbehaviour::none;
    long score_limit = 0;
    long time_limit = 0;
    long matches = 1;  // a joiner's, in a row
    std::string record_folder;  // "": no replay
    bool chat = false;
    std::string name = game_listing().name;  // the host's as the finders of games list it, or a joiner's
    const char* map_path = nullptr;
};

int usage(const std::string& problem)
{
    std::fprintf(stderr, "zk3-sim: %s\n", problem.c_str());
    std::fprintf(stderr,
                 "usage: zk3-sim --host PORT [--players N] [--bots N] [--skill S] [--seed S] [--ticks T]\n"
                 "                [--play-randomly SEED] [--lose PERCENT] [--delay MS] [--name NAME]\n"
                 "                [--score-limit K] [--time-limit MINUTES] [--record FOLDER] MAP\n"
                 "       zk3-sim --join ADDR:PORT [--ticks T] [--play-randomly SEED] [--lose PERCENT]\n"
                 "                [--delay MS] [--misbehave idle|flood|lies|hash] [--record FOLDER]\n"
                 "                [--name NAME] [--matches N]\n"
                 "       zk3-sim --watch ADDR:PORT [--ticks T] [--record FOLDER]\n"
                 "       either of the first two with [--chat]\n");
    return bad_usage;
}

// An empty string when the arguments make sense, else the problem.
std::string parse(int argc, char** argv, peer_settings& out)
{
    out.hosting = std::strcmp(argv[1], "--host") == 0;
    out.watching = std::strcmp(argv[1], "--watch") == 0;
    if (argc < 3)
        return std::string(argv[1]) + " needs " + (out.hosting ? "a port" : "an address and port");
    if (out.hosting) {
        if (!read_number(argv[2], 1, 65535, out.port))
            return "--host needs a port from 1 to 65535";
    } else {
        const std::string where = argv[2];
        const std::size_t colon = where.rfind(':');
        if (colon == std::string::npos || colon == 0 ||
            !read_number(where.c_str() + colon + 1, 1, 65535, out.port))
            return std::string(argv[1]) + " needs ADDR:PORT with a port from 1 to 65535";
        out.address = where.substr(0, colon);
    }
    struct option {
        const char* name;
        long low, high;
        long* value;
        bool host_only;
    } known[] = {
        {"--players", 2, max_players, &out.players, true}, {"--bots", 0, max_players - 2, &out.bots, true},
        {"--skill", 0, 2, &out.skill, true},      {"--seed", 0, 2147483647, &out.seed, true},
        {"--ticks", 100, 100000000, &out.ticks, false}, {"--play-randomly", 0, 2147483647, &out.hand_seed, false},
        {"--lose", 0, 100, &out.lose, false},     {"--delay", 0, 10000, &out.delay, false},
        {"--score-limit", 0, most_score_limit, &out.score_limit, true},
        {"--time-limit", 0, most_time_limit, &out.time_limit, true},
        {"--matches", 1, 1000, &out.matches, false},
    };
    for (int i = 3; i < argc; i++) {
        bool matched = false;
        for (const option& o : known) {
            if (std::strcmp(argv[i], o.name) != 0)
                continue;
            matched = true;
            if (o.host_only && !out.hosting)
                return std::string(o.name) + " is the host's to choose";
            if (i + 1 >= argc || !read_number(argv[i + 1], o.low, o.high, *o.value))
                return std::string(o.name) + " needs a whole number from " + std::to_string(o.low) + " to " +
                       std::to_string(o.high);
            i++;
        }
        if (matched)
            continue;
        if (std::strcmp(argv[i], "--name") == 0) {
            if (out.watching)
                return "a watcher has no name";
            if (i + 1 >= argc || !is_player_name(argv[i + 1]))
                return "--name needs 1 to 15 letters, digits, spaces, '-' or '_'";
            out.name = argv[++i];
            continue;
        }
        if (std::strcmp(argv[i], "--chat") == 0) {
            out.chat = true;
            continue;
        }
        if (std::strcmp(argv[i], "--record") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                return "--record needs a folder";
            out.record_folder = argv[++i];
            continue;
        }
        if (std::strcmp(argv[i], "--misbehave") == 0) {
            if (out.hosting)
                return "only a joiner misbehaves";
            if (i + 1 >= argc || !read_misbehaviour(argv[i + 1], out.way))
                return "--misbehave needs idle, flood, lies or hash";
            i++;
            continue;
        }
        if (argv[i][0] == '-' || !out.hosting || out.map_path)
            return std::string("unexpected argument ") + argv[i];
        out.map_path = argv[i];
    }
    if (out.ticks % 100 != 0)
        return "--ticks must be a multiple of 100";
    if (out.hosting && !out.map_path)
        return "no map file given";
    if (out.players + out.bots > max_players)
        return "--players and --bots make more than " + std::to_string(max_players) + " fighters";
    if (out.matches > 1 && (out.hosting || out.watching))
        return "--matches is a joiner's";
    if (out.watching && (out.hand_seed >= 0 || out.way != misbehaviour::none || out.chat))
        return "a watcher only watches: no --play-randomly, --misbehave or --chat";
    return "";
}


// The most memory this process has held, as the kernel counts it; -1 where
// it does not say.
long peak_memory_kb()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long peak = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &peak) == 1)
            break;
    std::fclose(status);
    return peak;
}

// The last part of a path, as the map's file name.
std::string file_name(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The match's replay into `folder`, its path on standard error.
void record(const net_session& session, const std::string& folder)
{
    std::string path, error;
    if (save_replay(recording_of(session), folder, 20, path, error))
        std::fprintf(stderr, "zk3-sim: replay %s\n", path.c_str());
    else
        std::fprintf(stderr, "zk3-sim: %s\n", error.c_str());
}

// Twice a second, as much as a player may say, of the longest lines.
class chatterer {
public:
    static constexpr std::uint32_t ticks_between = 50;

    void act(net_session& session)
    {
        count_notes(session);
        if (ticks++ % ticks_between != 0)
            return;
        std::string line = "LINE " + std::to_string(said++) + " ";
        line.resize(max_chat_text, '.');
        session.say(line);
    }
    void report(net_session& session)
    {
        count_notes(session);
        std::fprintf(stderr, "zk3-sim: chat said %u heard %llu refused_notes %u\n", said,
                     static_cast<unsigned long long>(session.get_chat().count()), notes);
    }

private:
    // The notes among the lines heard since the last look.
    void count_notes(const net_session& session)
    {
        for (const net_chat& line : session.get_chat().since(looked))
            notes += line.slot == net_chat_note_slot;
    }

    std::uint64_t looked = 0;
    std::uint32_t notes = 0;
    std::uint32_t ticks = 0;
    std::uint32_t said = 0;
};

// For the scripts that bring a peer in once the match is under way: every
// thousandth tick stepped, and a late player's entry.
void say_progress(const net_session& session, std::uint32_t& said_tick, bool& said_in,
                  std::chrono::steady_clock::time_point joined)
{
    const rollback_match& match = session.get_match();
    const std::uint32_t thousands = match.get_tick() / 1000 * 1000;
    if (thousands > said_tick) {
        said_tick = thousands;
        std::fprintf(stderr, "zk3-sim: at tick %u\n", thousands);
    }
    if (!said_in && session.get_roster().own() != own_role::coming_in && session.get_roster().own_slot() >= 0) {
        said_in = true;
        const int slot = session.get_roster().own_slot();
        const auto took = std::chrono::steady_clock::now() - joined;
        std::fprintf(stderr, "zk3-sim: came in as slot %d at tick %u, told %lld ms after joining\n", slot,
                     match.entered_at(slot),
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    }
}

// Until the next tick the peer takes what arrives, so that what its delay
// holds back goes out when it is due, not at the next tick.
void wait_for_tick(net_session& session, std::chrono::steady_clock::time_point next)
{
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(next - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        session.poll(static_cast<int>(left.count()));
    }
    std::this_thread::sleep_until(next);
}

}  // namespace

void print_match_over(const match_result& result, std::uint32_t tick)
{
    if (result.winner < 0)
        std::printf("match over tick %u draw\n", tick);
    else
        std::printf("match over tick %u winner %d\n", tick, result.winner);
}

namespace {

// A peer's figures of one match, from its start to the last tick.
struct match_figures {
    std::chrono::steady_clock::time_point began = std::chrono::steady_clock::now();
    bool reached = false;  // the last tick, or the end by the host's limits
    std::chrono::steady_clock::duration took{};
    std::chrono::steady_clock::time_point finish_by{};
    // Timer ticks until the match reached its last tick: beyond `last`, the
    // ticks it stood still, waiting for the others or letting them catch up.
    std::uint32_t timer_ticks = 0;
    // The longest run of timer ticks in which the match did not step: what
    // one peer holding it up costs, where a busy machine's stalls are short.
    std::uint32_t still_run = 0;
    std::uint32_t longest_still = 0;
    std::uint32_t most_delay = 0;  // the longest input delay the match chose

    void note_step(bool stepped)
    {
        still_run = stepped ? 0 : still_run + 1;
        longest_still = std::max(longest_still, still_run);
    }

    void reach()
    {
        if (reached)
            return;
        reached = true;
        took = std::chrono::steady_clock::now() - began;
        finish_by = std::chrono::steady_clock::now() + finish_wait;
    }
};

void print_figures(const net_session& session, const match_figures& figures, std::uint32_t last)
{
    const rollback_match& match = session.get_match();
    std::uint64_t hash = 0;
    match.final_hash(last, hash);
    std::printf("net tick %u hash %016llx\n", last, static_cast<unsigned long long>(hash));
    std::fprintf(stderr,
                 "zk3-sim: rollbacks %u ticks_redone %llu deepest %u worst_step_ms %.2f worst_step_cpu_ms %.2f "
                 "input_delay %u most_input_delay %u lookahead %u step_us %.0f waits %u skips %u "
                 "stood_still %u longest_still %u match_ms %lld bytes_sent %llu refused %llu peak_kb %ld\n",
                 match.get_rollbacks(), static_cast<unsigned long long>(match.get_ticks_redone()),
                 match.get_deepest(), match.get_worst_step_us() / 1000, match.get_worst_step_cpu_us() / 1000,
                 match.get_input_delay(), figures.most_delay, match.lookahead(), match.get_step_cost_us(),
                 match.get_waits(), session.get_counts().skips,
                 figures.timer_ticks > last ? figures.timer_ticks - last : 0, figures.longest_still,
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(figures.took).count()),
                 static_cast<unsigned long long>(session.get_counts().bytes_sent),
                 static_cast<unsigned long long>(session.get_counts().refused), peak_memory_kb());
}

// Whether a joiner or a watcher still plays or watches the host's match.
bool others_still_in(const net_session& session)
{
    const rollback_match& match = session.get_match();
    for (int slot = 0; slot < match.human_count(); slot++)
        if (slot != session.get_roster().own_slot() && match.left_at(slot) == rollback_match::never)
            return true;
    return session.get_roster().count(peer_role::watcher) > 0;
}

// After agreeing, the others may still want our last readings or hash. A
// joiner leaves only once it agrees too (or gives up), so the host stays
// until they have all gone: its goodbye, coming with its last hash in one
// starved poll, would end a joiner's match before the hash is compared. A
// joiner lingers a moment for resends of its own.
void stay_while_wanted(match_cycle& cycle, const peer_settings& run)
{
    const net_session& session = cycle.get_session();
    const auto give_up = std::chrono::steady_clock::now() + finish_wait;
    for (int linger = 0;; linger++) {
        if (run.hosting ? session.get_phase() != net_session::phase::playing || !others_still_in(session)
                        : linger >= 50)
            return;
        if (std::chrono::steady_clock::now() > give_up) {
            std::fprintf(stderr, "zk3-sim: the others stayed on after the end\n");
            return;
        }
        cycle.tick(control_reading{});
        std::this_thread::sleep_for(tick_time);
    }
}

// wait_for_start's word that the match began.
const int match_began = -2;

// The lobby: the host waits for its joiners, a joiner for the start. The
// status to exit with, or match_began.
int wait_for_start(match_cycle& cycle, const peer_settings& run, const std::string& map_text, long played)
{
    net_session& session = cycle.get_session();
    const auto lobby_until = std::chrono::steady_clock::now() + lobby_wait;
    bool said_in_lobby = false;
    while (!cycle.in_match()) {
        const match_cycle::news news = cycle.hear(static_cast<int>(tick_time.count()));
        // For the scripts that start the next peer only once this one is in.
        if (!said_in_lobby && cycle.in_lobby()) {
            std::fprintf(stderr, "zk3-sim: in the lobby\n");
            said_in_lobby = true;
        }
        if (news == match_cycle::news::ended) {
            if (played > 0) {
                std::printf("%s\n", session.get_ended_why().c_str());
                return 0;
            }
            std::fprintf(stderr, "zk3-sim: %s\n", session.get_ended_why().c_str());
            return bad_usage;
        }
        if (run.hosting && static_cast<long>(session.get_roster().humans().size()) >= run.players) {
            // A map the host names by its path's last part, as its file name.
            std::string error;
            if (!cycle.start(file_name(run.map_path), map_text, static_cast<std::uint32_t>(run.seed), error)) {
                std::fprintf(stderr, "zk3-sim: %s\n", error.c_str());
                return bad_usage;
            }
            std::fprintf(stderr, "zk3-sim: the match begins\n");
        }
        if (std::chrono::steady_clock::now() > lobby_until) {
            std::fprintf(stderr, "zk3-sim: %s\n",
                         run.hosting ? "not enough players joined within a minute" : "no answer from the host");
            return bad_usage;
        }
    }
    return match_began;
}

// From the lobby to the end of one match, `played` matches after the first:
// the status to exit with, or next_match.
int play_match(match_cycle& cycle, const peer_settings& run, const std::string& map_text, long played);
// A joiner of several matches: on through the end's screen to the host's
// lobby, the match's replay kept.
int stay_for_next(match_cycle& cycle, const peer_settings& run);

}  // namespace

int run_net_peer(int argc, char** argv)
{
    peer_settings run;
    const std::string problem = parse(argc, argv, run);
    if (!problem.empty())
        return usage(problem);

    std::string map_text;
    if (run.hosting && !read_map_text(run.map_path, map_text)) {
        std::fprintf(stderr, "zk3-sim: cannot open %s\n", run.map_path);
        return bad_usage;
    }

    net_session session;
    if (run.hosting) {
        lobby_offer offer;
        offer.map_name = file_name(run.map_path);
        offer.rules.score_limit = static_cast<int>(run.score_limit);
        offer.rules.time_limit = static_cast<int>(run.time_limit);
        offer.bots = static_cast<int>(run.bots);
        offer.skill = static_cast<int>(run.skill);
        session.offer(offer);
    }
    net_player look;
    look.name = run.name;  // the host's name in the lobbies and the finders' lists
    std::string error;
    std::unique_ptr<net_transport> link =
        run.hosting ? link_for_host(static_cast<std::uint16_t>(run.port), error)
                    : link_to_host(run.address, static_cast<std::uint16_t>(run.port), error);
    if (!link) {
        std::fprintf(stderr, "zk3-sim: %s\n", error.c_str());
        return bad_usage;
    }
    link->simulate(static_cast<int>(run.lose), static_cast<int>(run.delay),
                   static_cast<std::uint32_t>(run.hand_seed + 1));
    const own_role role = run.hosting ? own_role::host : run.watching ? own_role::watcher : own_role::player;
    session.open(std::move(link), role, look);
    match_cycle cycle(session);
    for (long played = 0;; played++) {
        const int status = play_match(cycle, run, map_text, played);
        if (status != next_match)
            return status;
    }
}

namespace {

int play_match(match_cycle& cycle, const peer_settings& run, const std::string& map_text, long played)
{
    const auto joined = std::chrono::steady_clock::now();
    const int waited = wait_for_start(cycle, run, map_text, played);
    if (waited != match_began)
        return waited;

    // The match, one tick every 10 ms, until every peer agrees on the end.
    net_session& session = cycle.get_session();
    auto last = static_cast<std::uint32_t>(run.ticks);
    session.stop_at(last);
    bool ended_by_rules = false;
    random_hand hand(static_cast<std::uint32_t>(run.hand_seed));
    misbehaving_peer misbehaving(run.way);
    chatterer chat;
    const bool fair = run.way == misbehaviour::none;
    match_figures figures;
    auto next = figures.began;
    const auto misbehaving_until = next + tick_time * last + finish_wait;
    std::uint32_t said_tick = 0;
    bool said_in = session.get_roster().own() != own_role::coming_in;
    while (!ended_by_rules && !session.all_agree_at(last)) {
        const std::uint32_t tick_before = session.get_match().get_tick();
        const match_cycle::news news =
            misbehaving.plays() ? cycle.tick(run.hand_seed >= 0 ? hand.next() : control_reading{}) : cycle.hear();
        if (news == match_cycle::news::ended) {
            const std::string& why = session.get_ended_why();
            std::printf("%s%s\n", fair ? "" : "let go: ", why.c_str());
            if (!fair)
                return 0;
            return why.rfind("out of step", 0) == 0 ? out_of_step : bad_usage;
        }
        if (run.chat && !figures.reached)
            chat.act(session);
        figures.most_delay = std::max(figures.most_delay, session.get_match().get_input_delay());
        say_progress(session, said_tick, said_in, joined);
        misbehaving.act(session);
        if (!figures.reached) {
            figures.timer_ticks++;
            figures.note_step(session.get_match().get_tick() != tick_before);
        }
        if (session.get_match().get_tick() >= last)
            figures.reach();
        if (figures.reached && std::chrono::steady_clock::now() > figures.finish_by) {
            std::fprintf(stderr, "zk3-sim: the others never confirmed tick %u\n", last);
            return bad_usage;
        }
        if (news == match_cycle::news::over) {
            print_match_over(cycle.get_result(), cycle.get_ended_at());
            ended_by_rules = cycle.get_ended_at() <= last;
            last = std::min(last, cycle.get_ended_at());
            figures.reach();
        }
        if (!fair && std::chrono::steady_clock::now() > misbehaving_until) {
            std::printf("never let go\n");
            cycle.leave();
            return 0;
        }
        next += tick_time;
        wait_for_tick(session, next);
    }
    print_figures(session, figures, last);
    if (run.chat)
        chat.report(session);
    std::fflush(stdout);
    if (ended_by_rules && played + 1 < run.matches)
        return stay_for_next(cycle, run);
    stay_while_wanted(cycle, run);
    cycle.leave();
    if (!run.record_folder.empty())
        record(session, run.record_folder);
    game.deinit();
    return 0;
}

int stay_for_next(match_cycle& cycle, const peer_settings& run)
{
    const auto give_up = std::chrono::steady_clock::now() + net_session::end_shown_for + finish_wait;
    while (cycle.in_match()) {
        cycle.tick(control_reading{});
        if (std::chrono::steady_clock::now() > give_up) {
            std::fprintf(stderr, "zk3-sim: the host never took its players back to its lobby\n");
            return bad_usage;
        }
        std::this_thread::sleep_for(tick_time);
    }
    net_session& session = cycle.get_session();
    if (!run.record_folder.empty())
        record(session, run.record_folder);
    if (!cycle.in_lobby()) {
        std::printf("%s\n", session.get_ended_why().c_str());
        return 0;
    }
    std::fflush(stdout);
    return next_match;
}

}  // namespace

#include "server_options.h"

#include "common/read_number.h"
#include "match/player_name.h"

namespace {

const char* const skill_names[] = {"hard", "medium", "easy"};

// A switch followed by a whole number within its range.
struct number_switch {
    const char* name;
    long low, high;
    long server_options::*value;
};

const number_switch number_switches[] = {
    {"--port", 1, 65535, &server_options::port},
    {"--bots", 0, max_players - 1, &server_options::bots},
    {"--score-limit", 0, most_score_limit, &server_options::score_limit},
    {"--time-limit", 0, most_time_limit, &server_options::time_limit},
    {"--most-players", 1, max_players, &server_options::most_players},
    {"--wait-for", 1, max_players, &server_options::wait_for},
    {"--lobby", 1, 3600, &server_options::lobby_seconds},
};

// The switches that take a word; false with the reason when the word is bad.
bool read_word(const std::string& name, const std::string& word, server_options& out, std::string& error)
{
    if (name == "--name") {
        if (!is_player_name(word)) {
            error = "--name needs 1 to 15 letters, digits, spaces, '-' or '_', not \"" + word + "\"";
            return false;
        }
        out.name = word;
        return true;
    }
    if (name == "--skill") {
        for (long skill = 0; skill < 3; skill++)
            if (word == skill_names[skill]) {
                out.skill = skill;
                return true;
            }
        error = "--skill needs easy, medium or hard, not \"" + word + "\"";
        return false;
    }
    if (word.empty()) {
        error = "--replays needs a folder";
        return false;
    }
    out.replays = word;
    return true;
}

// The choices that make no sense together.
bool hold_together(const server_options& out, std::string& error)
{
    if (out.maps.empty())
        error = "no map file given";
    else if (out.wait_for > out.most_players)
        error = "--wait-for " + std::to_string(out.wait_for) + " is more than --most-players " +
                std::to_string(out.most_players) + " let in";
    else if (out.bots == 0 && out.wait_for < 2)
        error = "with no bots a match needs two humans: give --wait-for 2 or more";
    return error.empty();
}

}  // namespace

server_command read_server_options(int argc, const char* const* argv, server_options& out, std::string& error)
{
    error.clear();
    for (int i = 1; i < argc; i++) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h")
            return server_command::help;
        const number_switch* number = nullptr;
        for (const number_switch& known : number_switches)
            if (argument == known.name)
                number = &known;
        const bool takes_word = argument == "--name" || argument == "--skill" || argument == "--replays";
        if (number || takes_word) {
            if (i + 1 >= argc) {
                error = argument + " needs a value";
                return server_command::refuse;
            }
            const char* value = argv[++i];
            if (takes_word) {
                if (!read_word(argument, value, out, error))
                    return server_command::refuse;
            } else if (!read_number(value, number->low, number->high, out.*number->value)) {
                error = argument + " needs a whole number from " + std::to_string(number->low) + " to " +
                        std::to_string(number->high) + ", not \"" + value + "\"";
                return server_command::refuse;
            }
            continue;
        }
        if (argument.size() > 1 && argument[0] == '-') {
            error = "unknown option " + argument + " (--help lists them)";
            return server_command::refuse;
        }
        out.maps.push_back(argument);
    }
    return hold_together(out, error) ? server_command::run : server_command::refuse;
}

match_rules rules_of(const server_options& options)
{
    match_rules rules;
    rules.score_limit = static_cast<int>(options.score_limit);
    rules.time_limit = static_cast<int>(options.time_limit);
    return rules;
}

const char* skill_name(long skill)
{
    return skill_names[skill < 0 || skill > 2 ? 1 : skill];
}

static_assert(max_players == 11, "the usage below names the fighter count");
const char* const server_usage =
    "usage: zk3-server [OPTION]... MAP...\n"
    "Hosts network matches of ZK3 with no fighter of its own, one after another on the\n"
    "map files given, in turn; for a machine without a display or sound.\n"
    "\n"
    "  --port PORT          UDP port to serve on (1-65535; 27960)\n"
    "  --name NAME          the server's name in the players' lists of games\n"
    "                       (1-15 letters, digits, spaces, '-', '_'; \"ZK3 SERVER\")\n"
    "  --bots N             bots beside the humans, as many as fit in 11 fighters (0-10; 4)\n"
    "  --skill SKILL        the bots' skill: easy, medium or hard (medium)\n"
    "  --score-limit K      kills that win a match (0 for none, up to 999; 20)\n"
    "  --time-limit M       minutes a match lasts at most (0 for none, up to 1440; 10)\n"
    "  --most-players N     humans let in to play (1-11; 11)\n"
    "  --wait-for N         humans in the lobby before a match starts (1-11; 1)\n"
    "  --lobby SECONDS      how long they are in the lobby together before it starts,\n"
    "                       counted again after each match (1-3600; 15)\n"
    "  --replays FOLDER     where each match's replay is kept, the newest 20\n"
    "                       ($XDG_DATA_HOME/zk3/replays, else ~/.local/share/zk3/replays)\n"
    "  --help               this text\n"
    "\n"
    "A match with neither limit ends only when every player has left it. The server\n"
    "writes one line per join, leave, kill and match end on standard output, and ends\n"
    "on SIGTERM or SIGINT, telling every player. A bad argument or map exits 2.\n";

// The one way into a match for the menu's match, a replay and a network
// match: the map read from its text through the game's own checks, the
// options a match reads set to the set-up's, the generator seeded, the
// fighters started, the view on the shown fighter and the keyboard and mouse
// on their slot. Whatever the player's own options were, they come back when
// the match is over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "frontend/settings_file.h"
#include "match/cgame.h"

// Everything a match is made of: the same set-up starts the same match.
struct match_setup {
    std::uint32_t seed = 0;
    std::string map_name;  // the map's file name, e.g. "foundry.zkm"
    std::string map_text;  // the whole map file
    int skill = 1;         // 0 HARD, 1 MEDIUM, 2 EASY
    match_lineup lineup;   // the humans with their colours, and the bots
    // The fighter this screen follows, and the slot read from the keyboard
    // and mouse; -1 when every slot's controls are supplied. The player at
    // this screen aims from `aiming_slot` (-1: nobody, as in a replay).
    int shown_slot = 0;
    int device_slot = -1;
    int aiming_slot = -1;
};

// The menu's match: one human on the keyboard and mouse, with the options'
// bots, skill and colours. The map is for the caller to fill in.
match_setup setup_from_options(std::uint32_t seed);

struct net_start;
struct replay_data;

// The humans a match starts with, in slots 0 upward. A replay's humans who
// came in late take bots' slots later; a network match's start holds only
// those who began.
int starting_humans(const replay_data& replay);
int starting_humans(const net_start& start);

// The set-up a replay or a network match's start holds: both name the seed,
// the map, the skill, the bots and each human's colours alike.
template <class Record>
match_setup setup_of(const Record& record)
{
    match_setup setup;
    setup.seed = record.seed;
    setup.map_name = record.map_name;
    setup.map_text = record.map_text;
    setup.skill = record.skill;
    setup.lineup.humans = starting_humans(record);
    setup.lineup.bots = record.bots;
    for (int human = 0; human < setup.lineup.humans; human++)
        for (int i = 0; i < 3; i++)
            setup.lineup.colors[human][i] = record.humans[static_cast<std::size_t>(human)].colors[i];
    return setup;
}

// Starts matches and keeps the player's own options meanwhile.
class match_starter {
public:
    ~match_starter() { finish(); }

    // Starts the match `setup` describes. False, with the map's reason in
    // `error`, when its map cannot be played.
    bool start(const match_setup& setup, std::string& error);
    // Puts the player's own options back and the keyboard and mouse on slot
    // 0, the aim too; the match stays as it is.
    void finish();

private:
    kept_settings own;
    bool running = false;
};

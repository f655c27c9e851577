// What a match begins from, and the one way into a match for the menu's
// match, a replay and a network match: the map read from its text through
// the game's own checks, the generator seeded, the fighters started with the
// set-up's bots and skill, the view on the shown fighter and the keyboard
// and mouse on their slot. The start of a network match carries the set-up
// as it is, and a replay keeps it; the options screen is never told.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/match_rules.h"
#include "match/player_name.h"

// A human as the others see them.
struct human_look {
    int colors[3] = {0, 0, 3};  // hair 0..2, shirt 0..5, pants 0..5
    std::string name = fallback_player_name;  // is_player_name

    bool operator==(const human_look& other) const
    {
        return colors[0] == other.colors[0] && colors[1] == other.colors[1] && colors[2] == other.colors[2] &&
               name == other.name;
    }
};

// Everything a match is made of: the same set-up starts the same match.
struct match_setup {
    std::uint32_t seed = 0;
    int skill = 1;  // 0 HARD, 1 MEDIUM, 2 EASY
    // The bots beside the humans who began: 2..11 fighters in all. A human
    // who comes into a network match late takes a bot's fighter.
    int bots = 1;
    match_rules rules;
    // Slot 0 upward. Those who came into a network match late follow those
    // who began, in the order they came; the start message holds only those
    // who began, a replay every one.
    std::vector<human_look> humans;
    std::string map_name;  // the map's file name, e.g. "foundry.zkm"
    std::string map_text;  // the whole map file

    bool operator==(const match_setup& other) const
    {
        return seed == other.seed && skill == other.skill && bots == other.bots && rules == other.rules &&
               humans == other.humans && map_name == other.map_name && map_text == other.map_text;
    }
};

// Where this screen sits in a match: the fighter it follows, the slot read
// from the keyboard and mouse (-1 when every slot's controls are supplied)
// and the slot the player here aims from (-1: nobody, as in a replay).
struct match_seat {
    int shown_slot = 0;
    int device_slot = -1;
    int aiming_slot = -1;
};

// The menu's match: one human on the keyboard and mouse, with the options'
// bots, skill, colours and name. The map is for the caller to fill in.
match_setup setup_from_options(std::uint32_t seed);
// The seat of the one human at the keyboard and mouse.
const match_seat seat_at_keyboard = {0, 0, 0};

// Starts matches on `game`; every human in the set-up begins the match.
class match_starter {
public:
    ~match_starter() { finish(); }

    // Starts the match `setup` describes, seen from `seat`. False, with the
    // map's reason in `error`, when its map cannot be played.
    bool start(const match_setup& setup, const match_seat& seat, std::string& error);
    // The keyboard and mouse back on slot 0, the aim too; the match stays
    // as it is.
    void finish();

private:
    bool running = false;
};

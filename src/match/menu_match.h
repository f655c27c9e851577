// The match a player plays from the menu, recorded for its replay file, with
// the death replay at hand: F while dead shows how the human died, the match
// holding still meanwhile. The kill feed runs and Tab holds up the scoreboard. Leaving writes the replay into the replays folder.
#pragma once

#include <cstdint>
#include <string>

#include "app/press_latch.h"
#include "match/match_events.h"
#include "match/match_setup.h"
#include "match/score_watch.h"
#include "replay/death_replay.h"
#include "replay/match_recorder.h"

class menu_match {
public:
    // Starts a match on the options' map with the generator seeded with
    // `seed`; false, with the reason in map.get_error() and on standard
    // error, when the map cannot be played.
    bool init(std::uint32_t seed);
    void update();
    void draw();
    // Escape, unless it ends a death replay.
    bool done() const;
    // Ends the match and writes its replay; a replay that cannot be written
    // costs one line on standard error and nothing else.
    void deinit();

private:
    void draw_overlay() const;

    match_starter starter;
    match_recorder recorder;
    match_events events;
    death_replay death;
    score_watch scores;
    press_latch watch_key;       // F
    press_latch escape_in_replay;
    bool escape_held = false;    // the Escape that ended a death replay
};

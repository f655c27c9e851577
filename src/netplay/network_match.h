// A network match in the window: every tick the session hears the others
// and steps on this player's controls, and the view, the HUD and the sounds
// follow this player's fighter, and every human's name stands above
// their fighter, with the kill feed and, on Tab, the scoreboard. F while dead shows how the fighter died,
// on a copy of the match while the live one goes on, silent. Escape leaves
// (or ends that showing); the session may also end by itself (the host
// left, the peers out of step). Leaving writes the match as a replay into
// the replays folder. A match that ends by the host's limits shows the
// final scoreboard under the winner's name until the host takes everyone
// back to its lobby. A watcher has no fighter: the view follows one
// fighter after another, the left button moving to the next and the right
// to the one before. T opens a line to say; while it is open the fighter
// stands idle.
#pragma once

#include <string>
#include <vector>

#include "app/press_latch.h"
#include "match/score_watch.h"
#include "netplay/chat_box.h"
#include "replay/death_replay.h"

class match_cycle;
class net_session;

class network_match {
public:
    // After the session's match has started.
    void init(match_cycle& cycle);
    void update();
    void draw();
    bool done() const;
    // Leaves the session if it still runs, writes the replay and ends the
    // match; a replay that cannot be written costs one line on standard
    // error and nothing else.
    void deinit();

private:
    void draw_overlay() const;
    void draw_names() const;
    std::vector<std::string> human_names() const;
    std::vector<int> pings() const;
    void follow_another();
    void draw_followed() const;

    match_cycle* cycle = nullptr;
    net_session* session = nullptr;
    death_replay death;
    score_watch scores;
    press_latch leave_key;  // Escape
    press_latch watch_key;  // F
    press_latch next_click, previous_click;  // a watcher's left and right buttons
    chat_box chat;
    bool left = false;
};

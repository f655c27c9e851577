// A replay played in the game's window, drawn and heard as the match was,
// with "REPLAY" on screen: Space pauses, Right doubles the speed up to 8x,
// Left halves it down to 1/8x, and Escape or the end goes on to the menu.
#pragma once

#include <string>

#include "app/press_latch.h"
#include "replay/replay_player.h"

class replay_screen {
public:
    static constexpr int fastest = 3;   // 2^3 = 8 steps a tick
    static constexpr int slowest = -3;  // a step every 8 ticks
    static constexpr int linger_ticks = 100;  // the last frame stays this long

    // Starts playing; false, with the reason in `error`, when it cannot.
    bool init(const replay_data& replay, std::string& error);
    void update();
    void draw();
    bool done() const;
    void deinit();

    // Speed as a power of two, and whether it is paused.
    int get_speed() const { return speed; }
    bool get_paused() const { return paused; }
    const replay_player& get_player() const { return player; }

private:
    void keys();
    void draw_overlay() const;

    replay_player player;
    press_latch pause_key, faster_key, slower_key;
    int speed = 0;
    int ticks_waited = 0;  // towards the next step, when slower than 1x
    int lingered = 0;
    bool paused = false;
    bool left = false;
};

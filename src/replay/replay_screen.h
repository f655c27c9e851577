// A replay played in the game's window, drawn and heard as the match was,
// with "REPLAY" on screen and a bar along the bottom with the time that
// seeks on a click or a drag. Left and Right skip 5 s (30 s with Shift),
// Up and Down (and + and -) step the speed from 1/8x to 8x, Space pauses,
// and Escape leaves; at the end the last frame stays until Escape. The kill
// feed runs from the last seek and Tab holds up the scoreboard. The lines
// said in the match show at their ticks, each for ten seconds of the
// replay's time.
#pragma once

#include <string>

#include "app/press_latch.h"
#include "match/chat_view.h"
#include "match/match_shape.h"
#include "match/score_watch.h"
#include "replay/replay_player.h"

// Where the seek bar stands, in logical units; exclusive at both ends.
struct seek_bar_layout {
    static constexpr int left = 160;
    static constexpr int right = 1760;
    static constexpr int top = 1048;
    static constexpr int bottom = 1072;
    static constexpr int time_y = 1006;  // the "m:ss / m:ss" line above it
};

class replay_screen {
public:
    static constexpr int fastest = 3;   // 2^3 = 8 steps a tick
    static constexpr int slowest = -3;  // a step every 8 ticks
    static constexpr int short_skip = 5 * ticks_a_second;
    static constexpr int long_skip = 30 * ticks_a_second;  // with Shift
    // Ticks the scout plays ahead on each update, for quick seeks forward.
    static constexpr int scout_steps = 20;

    // Starts playing; false, with the reason in `error`, when it cannot.
    bool init(const replay_data& replay, std::string& error);
    void update();
    void draw();
    bool done() const { return left; }
    void deinit();

    // Speed as a power of two, and whether it is paused.
    int get_speed() const { return speed; }
    bool get_paused() const { return paused; }
    const replay_player& get_player() const { return player; }

private:
    void keys();
    void bar();
    void play_on();
    void step();
    // Seeks there and starts the kill feed afresh.
    void seek(std::uint32_t tick);
    void draw_overlay() const;

    replay_player player;
    score_watch scores;
    std::vector<chat_entry> chat;
    press_latch pause_key, faster_key, slower_key, back_key, on_key, click;
    bool dragging = false;
    int speed = 0;
    int ticks_waited = 0;  // towards the next step, when slower than 1x
    bool paused = false;
    bool left = false;
};

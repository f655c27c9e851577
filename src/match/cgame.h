// One match: starts it, advances every pool one step per tick in a fixed
// order, draws everything in a fixed order, and owns slow motion.
#pragma once

#include <functional>

#include "match/match_shape.h"
class match_events;

// Who fights: humans take the fighter slots from 0 upward, each in its own
// colours; bots take the slots after them, and fight as the skill says.
struct match_lineup {
    int humans = 1;
    int bots = 3;
    int skill = 1;  // 0 HARD, 1 MEDIUM, 2 EASY
    int colors[max_players][3] = {{0, 0, 3}};  // hair, shirt, pants of each human
};

class cgame {
public:
    // Starts a match on the map chosen in the options. Returns false (the
    // match does not start) when the map cannot be played.
    bool init();
    // Starts a match on the map already in `map`: every pool empty, the
    // options' bots and skill waiting to enter. The headless runner and
    // the tests read their own maps and come here.
    void start();
    // The same for a given lineup, which the match keeps as it plays.
    void start(const match_lineup& new_lineup);
    bool is_human_slot(int slot) const { return slot >= 0 && slot < lineup.humans; }
    const int* human_colors(int slot) const { return lineup.colors[slot]; }
    const match_lineup& get_lineup() const { return lineup; }
    // For the tests that try one bot at each skill.
    void set_skill(int skill) { lineup.skill = skill; }
    // The fighter this screen follows: its view, its HUD, its sounds.
    int get_shown_slot() const { return shown_slot; }
    void set_shown_slot(int slot) { shown_slot = slot; }
    // Frees every slot of every pool, the fighters' included.
    void empty_pools();
    // Polls the keyboard and mouse, then steps.
    void update(match_events* events = nullptr);
    // One tick of the match on the controls as they stand: every pool in a
    // fixed order, then the HUD. Replays step here with recorded controls.
    // What happens in it goes into `events` when given: a copy played
    // again for the eye records nothing.
    void step(match_events* events = nullptr);
    // A fighter died in the step under way.
    void record_death(int victim, int killer, int cause);
    // One frame: draw_frame, then the flip.
    void draw();
    // The same with `overlay` drawn over the match before the flip.
    void draw(const std::function<void()>& overlay);
    // Everything a frame shows, not yet flipped onto the screen.
    void draw_frame();
    void deinit();

    // The time factor every motion and countdown is multiplied by.
    float slow() const { return slow_motion ? 0.1f : 1.0f; }
    void slowmotion();
    void powerup(int amount);
    int get_timer() const { return timer; }
    bool get_slow_motion() const { return slow_motion; }

    // Match snapshots: what the steps count, without the frame counter.
    struct match_counters {
        int timer;
        int toggle_delay;
        bool slow_motion;
    };
    match_counters get_counters() const { return {timer, toggle_delay, slow_motion}; }
    void set_counters(const match_counters& counters)
    {
        timer = counters.timer;
        toggle_delay = counters.toggle_delay;
        slow_motion = counters.slow_motion;
    }

private:
    match_lineup lineup;
    int shown_slot = 0;
    double fps_time = 0;
    int fps = 0;
    int frames = 0;
    int timer = 0;         // slow-motion energy, 0..1000
    int toggle_delay = 0;  // steps before slow motion may be toggled again
    bool slow_motion = false;
    match_events* recording = nullptr;  // while a step records
};

extern cgame game;

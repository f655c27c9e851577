#include "match/cgame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/shell.h"
#include "app/input.h"
#include "app/text.h"
#include "effects/cblood.h"
#include "effects/cfire.h"
#include "effects/cflame.h"
#include "effects/cflesh.h"
#include "effects/cparticle.h"
#include "effects/cshell.h"
#include "effects/csmoke.h"
#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/chud.h"
#include "match/match_events.h"
#include "weapons/cbullet.h"
#include "weapons/cgrenade.h"

namespace {

const int full_energy = 1000;
const int toggle_steps = 2;  // a held key toggles once: the delay never reaches 0 while held

template <class T, int N>
void reset_pool(T (&pool)[N])
{
    for (T& object : pool)
        object.reset();
}

template <class T, int N>
void update_pool(T (&pool)[N])
{
    for (T& object : pool)
        object.update();
}

template <class T, int N>
void draw_pool(T (&pool)[N])
{
    for (T& object : pool)
        object.draw();
}

// More than one fighter is a human's now: a player who came in late on a
// bot's fighter makes a second in a match begun by one.
bool several_humans_playing()
{
    int humans = 0;
    for (const cplayer& fighter : players)
        humans += fighter.get_active() && !fighter.get_bot() ? 1 : 0;
    return humans > 1;
}

// Held drawing sends a run of pictures of one texture (the game's pictures
// share one) in one call instead of one call each. It must be let go before
// anything else is drawn: lines, the blood's triangles.
template <class... Pools>
void draw_held(Pools&... pools)
{
    al_hold_bitmap_drawing(true);
    (draw_pool(pools), ...);
    al_hold_bitmap_drawing(false);
}

}  // namespace

bool cgame::init()
{
    if (!map.init())
        return false;
    start();
    if (display)
        al_hide_mouse_cursor(display);
    return true;
}

void cgame::start()
{
    match_lineup from_options;
    from_options.bots = options.get_bots();
    from_options.skill = options.get_skill();
    for (int i = 0; i < 3; i++)
        from_options.colors[0][i] = options.color(i);
    start(from_options);
}

void cgame::start(const match_lineup& new_lineup)
{
    lineup = new_lineup;
    fps_time = 0.0;
    frames = 0;
    fps = 0;
    timer = full_energy;
    toggle_delay = 0;
    slow_motion = false;
    empty_pools();
    hud.init();
    for (int i = 0; i < lineup.humans + lineup.bots && i < max_players; i++)
        players[i].init(i);
}

void cgame::empty_pools()
{
    blood.reset();
    reset_pool(bullets);
    reset_pool(fire);
    reset_pool(flames);
    reset_pool(flesh);
    reset_pool(grenades);
    reset_pool(particles);
    reset_pool(players);
    reset_pool(shells);
    reset_pool(smoke);
}

void cgame::update(match_events* events)
{
    poll_keyboard();
    poll_mouse();

    double now = al_get_time();
    if (now - fps_time >= 1.0) {
        fps = static_cast<int>(std::lround(frames / (now - fps_time)));
        fps_time = now;
        frames = 0;
    }
    step(events);
}

void cgame::step(match_events* events)
{
    recording = events;
    if (slow_motion) {
        if (timer < 1)
            slow_motion = false;
        else
            timer -= 1;
    }
    if (toggle_delay > 0)
        toggle_delay -= 1;

    update_pool(bullets);
    update_pool(fire);
    update_pool(flames);
    update_pool(flesh);
    update_pool(grenades);
    update_pool(particles);
    update_pool(players);
    // Each human aims from its own view; the screen then shows one of them.
    if (lineup.humans > 1 || several_humans_playing())
        players[shown_slot].show_view();
    update_pool(shells);
    update_pool(smoke);
    blood.update();
    hud.update();
    recording = nullptr;
    if (events)
        events->step_taken();
}

void cgame::record_death(int victim, int killer, int cause)
{
    if (recording)
        recording->death(victim, killer, cause);
}

void cgame::draw()
{
    draw({});
}

void cgame::draw(const std::function<void()>& overlay)
{
    draw_frame();
    if (overlay)
        overlay();
    show_frame();
    frames += 1;
}

void cgame::draw_frame()
{
    map.draw();
    draw_pool(bullets);
    draw_held(fire, particles, players, shells);
    blood.draw();
    draw_held(flesh, grenades, flames, smoke);
    al_hold_bitmap_drawing(true);
    hud.draw();
    if (options.get_fps()) {
        char text[32];
        std::snprintf(text, sizeof text, "FPS: %i\n", fps);
        draw_text(al_map_rgb(255, 255, 255), text, 25, 200, false);
    }
    al_hold_bitmap_drawing(false);
}

void cgame::deinit()
{
    map.deinit();
    for (cplayer& player : players)
        player.deinit();
    if (display)
        al_show_mouse_cursor(display);
}

void cgame::slowmotion()
{
    if (toggle_delay == 0)
        slow_motion = !slow_motion;
    toggle_delay = toggle_steps;
}

void cgame::powerup(int amount)
{
    if (amount == -1)
        slow_motion = false;
    else
        timer = std::min(timer + amount, full_energy);
}

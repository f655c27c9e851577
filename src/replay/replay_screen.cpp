#include "replay/replay_screen.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include <allegro5/allegro_primitives.h>

#include "app/input.h"
#include "app/pointer.h"
#include "app/shell.h"
#include "app/text.h"
#include "match/cgame.h"
#include "match/name_tags.h"
#include "match/rules_shown.h"
#include "replay/replay_chat.h"
#include "replay/replay_list.h"
#include "replay/replay_names.h"

namespace {

const int banner_y = 120;
const int speed_y = 175;

void draw_centred(const char* text, int y, bool big)
{
    draw_text(al_map_rgb(255, 255, 255), text, centred_x(text, big), y, big);
}

bool key(int keycode)
{
    return al_key_down(&keyboard, keycode);
}

bool either(int one, int other)
{
    return key(one) || key(other);
}

}  // namespace

bool replay_screen::init(const replay_data& replay, std::string& error)
{
    if (!player.start(replay, error))
        return false;
    scores.reset(player.get_events(), 0);
    chat = replay_chat(replay);
    speed = 0;
    ticks_waited = 0;
    paused = false;
    left = false;
    dragging = false;
    for (press_latch* latch : {&pause_key, &faster_key, &slower_key, &back_key, &on_key, &click})
        latch->hold();
    if (display)
        al_show_mouse_cursor(display);
    return true;
}

void replay_screen::update()
{
    poll_keyboard();
    poll_mouse();
    keys();
    bar();
    if (!paused)
        play_on();
    player.scout(scout_steps);
}

void replay_screen::play_on()
{
    if (speed < 0) {
        if (++ticks_waited < (1 << -speed))
            return;
        ticks_waited = 0;
        step();
        return;
    }
    for (int i = 0; i < (1 << speed); i++)
        step();
}

void replay_screen::keys()
{
    if (key(ALLEGRO_KEY_ESCAPE))
        left = true;
    if (pause_key.pressed(key(ALLEGRO_KEY_SPACE)))
        paused = !paused;
    if (faster_key.pressed(key(ALLEGRO_KEY_UP) || either(ALLEGRO_KEY_EQUALS, ALLEGRO_KEY_PAD_PLUS)) &&
        speed < fastest)
        speed++;
    if (slower_key.pressed(key(ALLEGRO_KEY_DOWN) || either(ALLEGRO_KEY_MINUS, ALLEGRO_KEY_PAD_MINUS)) &&
        speed > slowest)
        speed--;
    const long skip = either(ALLEGRO_KEY_LSHIFT, ALLEGRO_KEY_RSHIFT) ? long_skip : short_skip;
    const long now = player.get_tick();
    if (back_key.pressed(key(ALLEGRO_KEY_LEFT)))
        seek(static_cast<std::uint32_t>(std::max(0L, now - skip)));
    if (on_key.pressed(key(ALLEGRO_KEY_RIGHT)))
        seek(static_cast<std::uint32_t>(now + skip));
}

// A press on the bar seeks there, and so does every move while it is held.
void replay_screen::bar()
{
    const bool down = mouse.buttons & 1;
    const float x = pointer_x();
    const float y = pointer_y();
    if (click.pressed(down))
        dragging = seek_bar_layout::left < x && x < seek_bar_layout::right && seek_bar_layout::top < y &&
                   y < seek_bar_layout::bottom;
    if (!down)
        dragging = false;
    if (!dragging)
        return;
    const float share = std::clamp((x - seek_bar_layout::left) / (seek_bar_layout::right - seek_bar_layout::left),
                                   0.0f, 1.0f);
    const auto target = static_cast<std::uint32_t>(share * static_cast<float>(player.get_ticks()) + 0.5f);
    if (target != player.get_tick())
        seek(target);
}

void replay_screen::step()
{
    player.step();
    scores.watch(player.get_events(), player.get_tick());
}

void replay_screen::seek(std::uint32_t tick)
{
    player.seek(tick);
    scores.reset(player.get_events(), player.get_tick());
}

void replay_screen::draw()
{
    game.draw([this] { draw_overlay(); });
}

void replay_screen::draw_overlay() const
{
    // A tag only over a fighter a human plays: not before one came in late.
    const std::vector<human_look>& humans = player.get_replay().setup.humans;
    for (std::size_t slot = 0; slot < humans.size(); slot++)
        draw_name_tag(static_cast<int>(slot), humans[slot].name, humans[slot].colors[1]);
    const std::vector<std::string> names = human_names_at(player.get_replay(), player.get_tick());
    const match_rules& rules = player.get_replay().setup.rules;
    draw_time_left(rules, player.get_tick());
    // A match that ended by its limits ends its replay as it ended on screen.
    const match_result result = match_result_now(rules, player.get_tick());
    if (player.get_tick() == player.get_ticks() && result.over) {
        draw_match_end(result, names, scores.get_scores(), {}, game.get_shown_slot(), false);
    } else {
        scores.draw(names, {}, false);
        draw_centred("REPLAY", banner_y, true);
        char line[32];
        if (paused)
            std::snprintf(line, sizeof line, "PAUSED");
        else if (speed >= 0)
            std::snprintf(line, sizeof line, "%dX", 1 << speed);
        else
            std::snprintf(line, sizeof line, "1/%dX", 1 << -speed);
        draw_centred(line, speed_y, false);
    }

    // Clear of the time above the bar.
    draw_chat_lines(chat_shown(chat, player.get_tick()), seek_bar_layout::time_y - 14);

    const std::string time = clock_text(player.get_tick()) + " / " + clock_text(player.get_ticks());
    draw_centred(time.c_str(), seek_bar_layout::time_y, true);
    const float l = seek_bar_layout::left, r = seek_bar_layout::right;
    const float t = seek_bar_layout::top, b = seek_bar_layout::bottom;
    const float ticks = std::max<float>(1, static_cast<float>(player.get_ticks()));
    const float played = l + (r - l) * static_cast<float>(player.get_tick()) / ticks;
    al_draw_filled_rectangle(l, t, r, b, al_map_rgba(0, 0, 0, 170));
    al_draw_filled_rectangle(l, t, played, b, al_map_rgb(200, 30, 24));
    al_draw_rectangle(l, t, r, b, al_map_rgb(255, 255, 255), 2);
}

void replay_screen::deinit()
{
    player.stop();
    game.deinit();
}

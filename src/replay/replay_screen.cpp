#include "replay/replay_screen.h"

#include <cstdio>
#include <string>

#include "app/input.h"
#include "app/shell.h"
#include "app/text.h"
#include "match/cgame.h"

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

}  // namespace

bool replay_screen::init(const replay_data& replay, std::string& error)
{
    if (!player.start(replay, error))
        return false;
    speed = 0;
    ticks_waited = 0;
    lingered = 0;
    paused = false;
    left = false;
    pause_key.hold();
    faster_key.hold();
    slower_key.hold();
    if (display)
        al_hide_mouse_cursor(display);
    return true;
}

void replay_screen::update()
{
    poll_keyboard();
    keys();
    if (player.finished()) {
        lingered++;
        return;
    }
    if (paused)
        return;
    if (speed < 0) {
        if (++ticks_waited < (1 << -speed))
            return;
        ticks_waited = 0;
        player.step();
        return;
    }
    for (int i = 0; i < (1 << speed); i++)
        player.step();
}

void replay_screen::keys()
{
    if (key(ALLEGRO_KEY_ESCAPE))
        left = true;
    if (pause_key.pressed(key(ALLEGRO_KEY_SPACE)))
        paused = !paused;
    if (faster_key.pressed(key(ALLEGRO_KEY_RIGHT)) && speed < fastest)
        speed++;
    if (slower_key.pressed(key(ALLEGRO_KEY_LEFT)) && speed > slowest)
        speed--;
}

bool replay_screen::done() const
{
    return left || lingered >= linger_ticks;
}

void replay_screen::draw()
{
    game.draw([this] { draw_overlay(); });
}

void replay_screen::draw_overlay() const
{
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

void replay_screen::deinit()
{
    player.stop();
    game.deinit();
}

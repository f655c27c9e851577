#include "match/menu_match.h"

#include <string>

#include "app/input.h"
#include "app/shell.h"
#include "map/cmap.h"
#include "frontend/coptions.h"
#include "match/cgame.h"
#include "replay/replay_folder.h"

bool menu_match::init(std::uint32_t seed)
{
    match_setup setup = setup_from_options(seed);
    if (!map.chosen_text(setup.map_name, setup.map_text))
        return false;
    std::string error;
    const bool started = starter.start(setup, seat_at_keyboard, error);
    map.print_messages();  // why it was refused, or the pictures it lacks
    if (!started)
        return false;
    recorder.start(setup);
    events.clear();
    death.reset();
    scores.reset(events, 0);
    death.watch(recorder, events);
    watch_key.hold();
    escape_held = false;
    if (display)
        al_hide_mouse_cursor(display);
    return true;
}

void menu_match::update()
{
    if (death.running()) {
        poll_keyboard();
        const bool escape = escape_in_replay.pressed(al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE));
        if (watch_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_F)) || escape) {
            death.end();
            escape_held = escape;
        } else {
            death.update(recorder);
        }
        return;
    }
    game.update(&events);
    scores.watch(events, events.get_steps());
    recorder.step_taken(read_devices());
    death.watch(recorder, events);
    if (escape_held && !al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE))
        escape_held = false;
    if (watch_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_F)) && death.available()) {
        escape_in_replay.hold();
        death.begin(recorder);
    }
}

bool menu_match::done() const
{
    return al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE) && !death.running() && !escape_held;
}

void menu_match::draw()
{
    death.draw([this] { game.draw([this] { draw_overlay(); }); });
}

void menu_match::draw_overlay() const
{
    draw_death_replay_text(death.running(), death.available());
    if (!death.running())
        scores.draw({options.get_player_name()}, {}, false);
}

void menu_match::deinit()
{
    death.end();
    // The last checkpoint is the state as left, before anything is freed.
    keep_replay(recorder.finish());
    game.deinit();
    starter.finish();
}

#include "frame_scenes.h"

#include "../scenes.h"
#include "app/input.h"
#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "match/cgame.h"

namespace {

const int logical_width = 1920;
const int logical_height = 1080;
const int middle_of_the_line = 5;

// The human holds still, the pointer in the middle of the screen.
void idle_keys(ALLEGRO_KEYBOARD_STATE* keys)
{
    *keys = {};
}

void idle_pointer(ALLEGRO_MOUSE_STATE* pointer)
{
    *pointer = {};
    pointer->x = static_cast<int>(logical_width / 2 * coptions::scale_x());
    pointer->y = static_cast<int>(logical_height / 2 * coptions::scale_y());
}

}  // namespace

bool start_frame_scene(char scene)
{
    set_input_sources(idle_keys, idle_pointer);
    if (!start_scene(scene))
        return false;
    cplayer& human = players[0];
    const cplayer& beside = players[middle_of_the_line];
    if (human.get_health() <= 0) {
        human.set_health(100);
        human.give_weapon(1);
    }
    human.place(beside.get_x() + 20, beside.get_y());
    human.player_screen();
    if (scene == 'c') {
        // The blood counts the drops it draws when it steps: one step, and the
        // pools filled again, so that every drop is drawn.
        game.step();
        keep_scene('c', 1);
    }
    return true;
}

void fight_on(int step)
{
    keep_scene('b', step);
    game.update();
}

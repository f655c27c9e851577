#include "match/match_setup.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/control.h"
#include "net/net_messages.h"
#include "replay/replay_file.h"

match_setup setup_from_options(std::uint32_t seed)
{
    match_setup setup;
    setup.seed = seed;
    setup.skill = options.get_skill();
    setup.lineup.bots = options.get_bots();
    for (int i = 0; i < 3; i++)
        setup.lineup.colors[0][i] = options.color(i);
    setup.device_slot = 0;
    setup.aiming_slot = 0;
    return setup;
}

int starting_humans(const replay_data& replay)
{
    int began = 0;
    for (const recorded_human& human : replay.humans)
        began += human.first_tick == 0 ? 1 : 0;
    return began;
}

int starting_humans(const net_start& start)
{
    return static_cast<int>(start.humans.size());
}

bool match_starter::start(const match_setup& setup, std::string& error)
{
    std::istringstream text(setup.map_text);
    if (!map.read(text, setup.map_name.c_str())) {
        error = map.get_error();
        return false;
    }
    // A second match before finishing keeps the options from before the first.
    if (!running)
        own = options.get_kept();
    running = true;
    // The bots' skill is read from the options as the match plays.
    kept_settings played = own;
    played.bots = std::max(setup.lineup.bots, 1);
    played.skill = setup.skill;
    for (int i = 0; i < 3; i++)
        played.colors[i] = setup.lineup.colors[setup.shown_slot][i];
    options.restore(played);

    std::srand(setup.seed);
    game.set_shown_slot(setup.shown_slot);
    game.start(setup.lineup);
    device_slot = setup.device_slot;
    aiming_slot = setup.aiming_slot;
    return true;
}

void match_starter::finish()
{
    if (!running)
        return;
    running = false;
    device_slot = 0;
    aiming_slot = 0;
    options.restore(own);
}

#include "match/match_setup.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "frontend/coptions.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/control.h"

match_setup setup_from_options(std::uint32_t seed)
{
    match_setup setup;
    setup.seed = seed;
    setup.skill = options.get_skill();
    setup.bots = options.get_bots();
    human_look own;
    for (int i = 0; i < 3; i++)
        own.colors[i] = options.color(i);
    own.name = options.get_player_name();
    setup.humans.push_back(own);
    return setup;
}

bool match_starter::start(const match_setup& setup, const match_seat& seat, std::string& error)
{
    std::istringstream text(setup.map_text);
    if (!map.read(text, setup.map_name.c_str())) {
        error = map.get_error();
        return false;
    }
    running = true;
    match_lineup lineup;
    lineup.humans = std::min(static_cast<int>(setup.humans.size()), max_players);
    lineup.bots = setup.bots;
    lineup.skill = setup.skill;
    for (int human = 0; human < lineup.humans; human++)
        for (int i = 0; i < 3; i++)
            lineup.colors[human][i] = setup.humans[static_cast<std::size_t>(human)].colors[i];
    std::srand(setup.seed);
    game.set_shown_slot(seat.shown_slot);
    game.start(lineup);
    device_slot = seat.device_slot;
    aiming_slot = seat.aiming_slot;
    return true;
}

void match_starter::finish()
{
    if (!running)
        return;
    running = false;
    device_slot = 0;
    aiming_slot = 0;
}

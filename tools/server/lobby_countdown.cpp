#include "lobby_countdown.h"

bool lobby_countdown::due(int humans, clock::time_point now)
{
    if (humans < wait_for) {
        counting = false;
        return false;
    }
    if (!counting) {
        counting = true;
        enough_since = now;
    }
    return now - enough_since >= wait;
}

// Bot behaviour. For now a bot stands where it entered and holds its gun
// level along its way; walking the waypoints, sight and firing come later.
#include "fighters/cplayer.h"

namespace {

const int body_width = 39;
const int body_height = 80;

// Half a screen: far enough to look along, horizontally.
const float look_distance = 960;

const int heading_jump = 1;
const int heading_left = 3;

}  // namespace

void cplayer::bot_move()
{
}

void cplayer::bot_shoot()
{
    look_along_the_way();
}

int cplayer::bot_target()
{
    crowd_time = 0;
    return -1;
}

bool cplayer::bot_enemy(int i, float px, float py) const
{
    const cplayer& other = players[i];
    return other.get_x() <= px && px < other.get_x() + body_width && other.get_y() <= py &&
           py < other.get_y() + body_height;
}

void cplayer::look_along_the_way()
{
    // A jumping bot keeps whatever aim it had.
    if (heading == heading_jump)
        return;
    aim(heading == heading_left ? -look_distance : look_distance, 0, 0);
}

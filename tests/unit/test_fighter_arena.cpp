#include "test_fighter.h"

#include <cstdlib>
#include <sstream>

#include "app/input.h"
#include "app/sound.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/chud.h"
#include "scripted_input.h"
#include "weapons/cbullet.h"

namespace {

int code_of(char cell)
{
    if (cell == '#')
        return 10000;
    if (cell == 'S')
        return 1;
    if (cell >= 'a' && cell <= 'p')
        return cell - 'a' + 1;
    return 0;
}

}  // namespace

void read_arena(const std::vector<std::string>& rows)
{
    const int columns = static_cast<int>(rows.front().size());
    std::ostringstream text;
    // The wall picture need not exist: a missing one is simply not drawn.
    text << columns * 40 << " " << rows.size() * 40 << "\n0.5 0.5 1\n0 0 0.25\n0\n1\nno_wall.png\n";
    for (const std::string& row : rows) {
        for (char cell : row)
            text << code_of(cell) << " ";
        text << "\n";
    }
    std::istringstream in(text.str());
    ASSERT_TRUE(map.read(in, "arena.zkm")) << map.get_error();
}

void shoot_dead(const cplayer& victim, int shooter)
{
    for (cbullet& bullet : bullets)
        if (!bullet.get_active()) {
            bullet.init(victim.get_x() + cplayer::body_centre_x, victim.get_y() + cplayer::body_centre_y, 0, 1000,
                        shooter);
            return;
        }
}

void FighterTest::SetUp()
{
    std::srand(1234);
    game = cgame();
    // Nothing thrown or fired in an earlier test lives on.
    game.empty_pools();
    hud.init();
    for (cplayer& fighter : players)
        fighter = cplayer();
    scripted_input::install();
    poll_keyboard();
    poll_mouse();
}

void FighterTest::TearDown()
{
    for (cplayer& fighter : players) {
        fighter.deinit();
        fighter = cplayer();
    }
    set_sound_listener(nullptr);
    scripted_input::uninstall();
    map.deinit();
    game = cgame();
}

cplayer& FighterTest::enter(int id)
{
    cplayer& fighter = players[id];
    fighter.init(id);
    fighter.set_health(0);
    tick(fighter);
    return fighter;
}

void FighterTest::tick(cplayer& fighter, int ticks)
{
    for (int i = 0; i < ticks; i++) {
        poll_keyboard();
        poll_mouse();
        fighter.update();
    }
}

void FighterTest::step(int ticks)
{
    for (int i = 0; i < ticks; i++)
        game.update();
}

// Shared by the tests of the effects that collide with the map: a small room.
#pragma once

#include "map/cmap.h"
#include "match/cgame.h"
#include "test_fighter.h"

// A wall from x = 120 to 160 above y = 80, whose underside is a ceiling; a
// floor from y = 120 with a hole from x = 40 to 80; open left, right and top.
class RoomTest : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        read_arena({"S..#.", "...#.", ".....", "#.###"});
        map.set_screen(0, 0);
    }
    static void set_slow(bool slow)
    {
        game = cgame();
        if (slow)
            game.slowmotion();
    }
};

// The whole state of a running match, saved into memory and put back: the
// map's cells and scroll, slow motion, the HUD's weapon choice, every
// fighter with its gun, every pool, the blood and the random numbers to come.
// Stepping on from a restore plays exactly as stepping on from the save did.
//
// A snapshot belongs to the match it was taken in: the same map and the same
// fighters entered. Guns are kept by type and state, never with their sound
// instances; the blood's drawing copy is rebuilt on the next frame.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "effects/cblood.h"
#include "effects/cfire.h"
#include "effects/cflame.h"
#include "effects/cflesh.h"
#include "effects/cparticle.h"
#include "effects/cshell.h"
#include "effects/csmoke.h"
#include "fighters/cplayer.h"
#include "match/cgame.h"
#include "match/chud.h"
#include "match/random_state.h"
#include "weapons/cbullet.h"
#include "weapons/cgrenade.h"

class match_snapshot {
public:
    void save();
    // Puts the last save back; nothing before the first save.
    void restore() const;
    // Memory the snapshot holds, its parts on the heap included.
    std::size_t bytes() const;

private:
    struct fighter {
        fighter_state state;
        int gun_type = -1;  // -1 for empty hands
        gun_state gun;
    };
    // Plain values all: each pool is copied whole.
    struct effect_pools {
        cbullet bullets[max_bullets];
        cgrenade grenades[max_grenades];
        cflesh flesh[max_flesh];
        cfire fire[max_fire];
        cflame flames[max_flames];
        cshell shells[max_shells];
        csmoke smoke[max_smoke];
        cparticle particles[max_particles];
    };

    std::vector<int> map_cells;
    int scroll_x = 0;
    int scroll_y = 0;
    cgame::match_counters counters = {};
    int hud_weapons[max_players] = {};
    fighter fighters[max_players];
    effect_pools pools;
    // A quarter of a megabyte: on the heap, made by the first save.
    std::unique_ptr<blood_drops> drops;
    random_state random = {};
};

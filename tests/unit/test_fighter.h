// Shared set-up of the fighter tests: small arenas drawn as text, and a match
// whose fighters, HUD, slow motion and input start afresh in every test.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fighters/cplayer.h"

// Reads an arena into `map`, one string per row of 40-unit cells:
// '#' a wall, 'S' a spawn point, 'a' to 'p' bot markers 1 to 16 ('a' to 'h'
// are spawn points too), anything else empty.
void read_arena(const std::vector<std::string>& rows);

// A shot by `shooter` that kills `victim` in the next step, as the match
// records a death: fired from inside the victim's body.
void shoot_dead(const cplayer& victim, int shooter);

class FighterTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Readies record `id` for a match and lets it enter the arena on one tick.
    cplayer& enter(int id);
    // Polls the scripted input and runs one tick of the fighter alone.
    void tick(cplayer& fighter, int ticks = 1);
    // Full match steps: input, every pool in order, then the HUD.
    void step(int ticks = 1);
};

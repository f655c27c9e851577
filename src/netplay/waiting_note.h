// "WAITING FOR" and whom, over a network match that stands still because
// some player's controls have not come.
#pragma once

#include <string>
#include <vector>

// The line for the slots waited for ("WAITING FOR HOST, PLAYER 3"); empty
// for none.
std::string waiting_line(const std::vector<int>& slots);
// Draws it in the upper middle of the screen.
void draw_waiting_note(const std::vector<int>& slots);

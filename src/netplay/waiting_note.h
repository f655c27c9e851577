// "WAITING FOR" and whom, over a network match that stands still because
// some player's controls have not come.
#pragma once

#include <string>
#include <vector>

#include "net/net_messages.h"

// The line for the slots waited for, by the names of `humans` ("WAITING
// FOR Ann, bob"); empty for none.
std::string waiting_line(const std::vector<int>& slots, const std::vector<net_player>& humans);
// Draws it in the upper middle of the screen.
void draw_waiting_note(const std::vector<int>& slots, const std::vector<net_player>& humans);

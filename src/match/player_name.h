// Players' names: the one rule every reader holds a name to (the settings
// file, the packets, the replays, the name field), the default taken from
// the login, and the names the bots go by.
#pragma once

#include <string>

const std::size_t max_player_name = 15;
// What a player without a name of their own is called.
const char* const fallback_player_name = "PLAYER";

// A name's characters: ASCII letters, digits, space, '-' and '_'.
bool is_player_name_char(unsigned char c);
// 1 to 15 of those characters.
bool is_player_name(const std::string& name);
// `raw` made to fit the rule: other characters become one '_' a run (none
// in front), spaces at the ends go, cut to 15; "PLAYER" when nothing is left.
std::string fitted_player_name(const std::string& raw);
// The login name made to fit, else "PLAYER".
std::string login_player_name();
// "BOT 1" for the first bot (number 1) up to "BOT 10".
std::string bot_name(int number);

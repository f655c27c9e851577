// The contact sheet: every generated picture on a checkerboard with its name,
// the fighter put together by the game's own drawing code in every facing,
// walk frame and gun, and a spectrogram of every sound. One PNG, for a person
// to look over the whole look and sound of the game at once.
#pragma once

#include <string>

// Reads the generated files under `game_dir` and writes the sheet to `out_png`;
// false after naming on standard error what was missing or failed.
bool write_contact_sheet(const std::string& out_png, const std::string& game_dir);

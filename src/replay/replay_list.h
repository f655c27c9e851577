// The rows of the replays screen: every replay file in a folder, newest
// first, with what a player picks one by. A file that cannot be played is
// listed too, with the reader's reason, so nothing vanishes unexplained.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct replay_row {
    std::string path;
    std::string name;    // the file's name, e.g. "2026-12-07_21-04-33_foundry.zkr"
    std::string when;    // "2026-12-07 21:04:33", from the name; "" when it holds none
    std::string map;     // "foundry"
    std::string length;  // "m:ss"
    std::vector<std::array<int, 3>> looks;  // each human's hair, shirt and pants
    std::vector<std::string> names;         // each human's name
    std::string reason;  // why it cannot be played; "" when it can
};

// Every "*.zkr" file in `folder`, newest first; none when it cannot be read.
std::vector<replay_row> list_replays(const std::string& folder);

// Ticks of play as "m:ss".
std::string clock_text(std::uint32_t ticks);

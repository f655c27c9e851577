// The chat lines a screen shows at the bottom left: the last six of the
// last ten seconds, oldest on top, each "NAME: text" with the name in its
// shirt's colour, or a note of the host's alone in its own colour. Its clock
// is the caller's count of ticks: a screen's updates or a replay's ticks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/match_shape.h"

struct chat_entry {
    std::uint32_t tick = 0;  // from when it shows
    std::string name;        // the speaker's; empty for a note
    int shirt = 0;           // the speaker's shirt colour, 0..5
    std::string text;
    bool note = false;

    bool operator==(const chat_entry& other) const
    {
        return tick == other.tick && name == other.name && shirt == other.shirt && text == other.text &&
               note == other.note;
    }
};

const std::size_t chat_lines_shown = 6;
const std::uint32_t chat_shown_ticks = 10 * ticks_a_second;

// Of `lines` (in ascending ticks) those shown at `now`, oldest first.
std::vector<chat_entry> chat_shown(const std::vector<chat_entry>& lines, std::uint32_t now);

// Draws them upward from the line whose bottom is at `bottom`.
void draw_chat_lines(const std::vector<chat_entry>& lines, int bottom);

// Where the lines start, and the height of one, for the line typed below them.
const int chat_left = 40;
const int chat_line_height = 30;

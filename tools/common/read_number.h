// The tools' one reader of a whole number on the command line.
#pragma once

// A whole decimal number within [low, high], and nothing after it, or false.
bool read_number(const char* text, long low, long high, long& out);

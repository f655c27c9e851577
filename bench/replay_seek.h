// Seeks in a ten-minute replay: a seeded ten-bot match on the largest
// shipped map with the human on a scripted hand, recorded, then played by
// the replay player and seeked in, as the replay screen's bar does.
#pragma once

// Prints "replay_seek ms=... cold_end_ms=... kept=...": the slowest of a
// seek to the end, back to the start, to the middle and to just before a
// kept snapshot once the replay was played through, and the first seek to
// the end before any was kept. False when the map cannot be read.
bool time_replay_seek();

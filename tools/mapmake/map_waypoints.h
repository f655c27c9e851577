// zk3_mapmake --waypoints IN OUT: reads map file IN, places its bot
// waypoints afresh (walls, pictures and spawn points stay) and writes OUT
// through a temporary file that is renamed over it, so OUT is either the old
// file or the whole new one. OUT may not be IN: the hand-placed markers are
// kept until the placed ones have been looked at.
#pragma once

// 0 when OUT was written; otherwise 1 with the reason on standard error and
// nothing written.
int place_map_waypoints(const char* in_path, const char* out_path);

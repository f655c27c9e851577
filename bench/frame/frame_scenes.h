// The benchmark scenes (../scenes.h) as the screen shows them: the human
// stands in the middle of the fight line, so that the view, which follows
// the human, shows the fight.
#pragma once

// Starts scene 'b' or 'c' on the current display. False when no map can be
// read.
bool start_frame_scene(char scene);

// Between two frames of scene b the fight goes on for one step.
void fight_on(int step);

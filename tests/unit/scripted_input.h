// Scripted keyboard and mouse for headless tests: the screens poll these
// states instead of the devices.
#pragma once

#include <allegro5/allegro.h>

namespace scripted_input {

void install();   // also clears every key and button
void uninstall();

void set_key(int keycode, bool down);
void set_pointer(int x, int y);          // display pixels
void set_button(int button, bool down);  // 1 left, 2 right

}  // namespace scripted_input

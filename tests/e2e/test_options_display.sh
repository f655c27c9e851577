#!/usr/bin/env bash
# The display mode chosen on the options screen: switched to a window and back
# to full screen by clicks, the window really changes size each time, and the
# first click on the menu after each change opens the item it hits.
source "$(dirname "$0")/lib.sh"

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null --no-multisampling
wait_for_window
wait_for_window_size 1920x1080
wait_for_pixel 5 1077 is_dark_red

# Options, the display mode's right arrow (windowed: its text changes), back.
press 960 465
wait_for_pixel 960 805 is_back_button
press_until_changed 872 318  560 307 290 29
press 960 805
wait_for_window_size 960x540
# The menu in the window: scaled by one half, the backdrop's bottom row.
wait_for_pixel 3 538 is_dark_red

# One click on the options item opens them at once.
press 480 232
wait_for_pixel 480 402 is_back_button

# The display mode's left arrow (full screen), back.
press_until_changed 272 159  280 153 145 15
press 480 402
wait_for_window_size 1920x1080
wait_for_pixel 5 1077 is_dark_red

# Again one click opens the options; back without a change keeps the display.
before=$(xdotool search --name '^ZK3$')
press 960 465
wait_for_pixel 960 805 is_back_button
press 960 805
wait_for_pixel 960 805 is_not_back_button
[ "$(xdotool search --name '^ZK3$')" = "$before" ] || fail "back without a change re-made the display"

quit_from_menu
echo PASS

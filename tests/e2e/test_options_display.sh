#!/usr/bin/env bash
# The display mode chosen on the options screen: switched to a window and back
# to full screen by clicks, the window really changes size each time, and the
# first click on the menu after each change opens the item it hits.
source "$(dirname "$0")/lib.sh"

# The back button's grey face, unlike anything on the menu.
is_back_button() { [ "$1" -ge 60 ] && [ "$1" -le 120 ] && [ "$2" -ge 60 ] && [ "$3" -gt "$1" ]; }
is_not_back_button() { ! is_back_button "$@"; }

# region_hash X Y W H: a hash of a region of the last screenshot.
region_hash() {
  convert "$WORK/shot.png" -crop "$3x$4+$1+$2" +repage -format '%#' info:
}

# press_until_changed X Y  RX RY RW RH: a press at (X, Y), then screenshots
# until the region (RX, RY, RW, RH) shows something else than before it.
press_until_changed() {
  local before tries
  screenshot
  before=$(region_hash "$3" "$4" "$5" "$6")
  slow_press "$1" "$2"
  for tries in $(seq 50); do
    screenshot
    [ "$(region_hash "$3" "$4" "$5" "$6")" != "$before" ] && sleep 0.1 && return 0
    sleep 0.1
  done
  fail "a press at ($1, $2) changed nothing in $5x$6+$3+$4"
}

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null
wait_for_window
wait_for_window_size 1920x1080
wait_for_pixel 5 1077 is_dark_red

# Options, the display mode's right arrow (windowed: its text changes), back.
slow_press 960 465
wait_for_pixel 960 805 is_back_button
press_until_changed 872 318  560 307 290 29
slow_press 960 805
wait_for_window_size 960x540
# The menu in the window: scaled by one half, the backdrop's bottom row.
wait_for_pixel 3 538 is_dark_red

# One click on the options item opens them at once.
slow_press 480 232
wait_for_pixel 480 402 is_back_button

# The display mode's left arrow (full screen), back.
press_until_changed 272 159  280 153 145 15
slow_press 480 402
wait_for_window_size 1920x1080
wait_for_pixel 5 1077 is_dark_red

# Again one click opens the options; back without a change keeps the display.
before=$(xdotool search --name '^ZK3$')
slow_press 960 465
wait_for_pixel 960 805 is_back_button
slow_press 960 805
wait_for_pixel 960 805 is_not_back_button
[ "$(xdotool search --name '^ZK3$')" = "$before" ] || fail "back without a change re-made the display"

slow_press 960 690
expect_exit 5
echo PASS

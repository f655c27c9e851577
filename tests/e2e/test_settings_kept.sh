#!/usr/bin/env bash
# Settings survive a restart: more bots and a window chosen on the options
# screen are in the settings file after quitting, the next run opens in a
# window, and leaving its options keeps the bots it read.
source "$(dirname "$0")/lib.sh"

is_back_button() { [ "$1" -ge 60 ] && [ "$1" -le 120 ] && [ "$2" -ge 60 ] && [ "$3" -gt "$1" ]; }
SETTINGS="$XDG_CONFIG_HOME/zk3/settings.txt"

press_until_changed() {
  local before tries
  screenshot
  before=$(convert "$WORK/shot.png" -crop "$5x$6+$3+$4" +repage -format '%#' info:)
  slow_press "$1" "$2"
  for tries in $(seq 50); do
    screenshot
    [ "$(convert "$WORK/shot.png" -crop "$5x$6+$3+$4" +repage -format '%#' info:)" != "$before" ] && return 0
    sleep 0.1
  done
  fail "a press at ($1, $2) changed nothing"
}

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null
wait_for_window
wait_for_window_size 1920x1080
wait_for_pixel 5 1077 is_dark_red

# Options: one more bot, a window instead of the full screen, back, quit.
slow_press 960 465
wait_for_pixel 960 805 is_back_button
press_until_changed 1503 318  1380 307 104 29
press_until_changed 872 318  560 307 290 29
slow_press 960 805
wait_for_window_size 960x540
wait_for_pixel 3 538 is_dark_red
slow_press 480 345
expect_exit 5
grep -qx 'bots=4' "$SETTINGS" || fail "no bots=4 in the settings file: $(cat "$SETTINGS")"
grep -qx 'display=windowed' "$SETTINGS" || fail "no display=windowed in the settings file"

# The next run opens in a window; leaving its options saves what it read.
start_game ALSOFT_DRIVERS=null
wait_for_window
wait_for_window_size 960x540
wait_for_pixel 3 538 is_dark_red
slow_press 480 232
wait_for_pixel 480 402 is_back_button
slow_press 480 402
wait_for_pixel 3 538 is_dark_red
slow_press 480 345
expect_exit 5
grep -qx 'bots=4' "$SETTINGS" || fail "the second run did not keep the bots: $(cat "$SETTINGS")"
echo PASS

#!/usr/bin/env bash
# Settings survive a restart: more bots and a window chosen on the options
# screen are in the settings file after quitting, the next run opens in a
# window, and leaving its options keeps the bots it read.
source "$(dirname "$0")/lib.sh"

SETTINGS="$XDG_CONFIG_HOME/zk3/settings.txt"

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null --no-multisampling
wait_for_window
wait_for_window_size 1920x1080
wait_for_pixel 5 1077 is_dark_red

# Options: one more bot, a window instead of the full screen, back, quit.
press 960 465
wait_for_pixel 960 805 is_back_button
press_until_changed 1503 318  1380 307 104 29
press_until_changed 872 318  560 307 290 29
press 960 805
wait_for_window_size 960x540
wait_for_pixel 3 538 is_dark_red
press 480 345
expect_exit 10
grep -qx 'bots=4' "$SETTINGS" || fail "no bots=4 in the settings file: $(cat "$SETTINGS")"
grep -qx 'display=windowed' "$SETTINGS" || fail "no display=windowed in the settings file"

# The next run opens in a window; leaving its options saves what it read.
start_game ALSOFT_DRIVERS=null --no-multisampling
wait_for_window
wait_for_window_size 960x540
wait_for_pixel 3 538 is_dark_red
press 480 232
wait_for_pixel 480 402 is_back_button
press 480 402
wait_for_pixel 480 402 is_not_back_button
press 480 345
expect_exit 10
grep -qx 'bots=4' "$SETTINGS" || fail "the second run did not keep the bots: $(cat "$SETTINGS")"
echo PASS

#!/usr/bin/env bash
# At 1366 x 768 with no audio at all: the full-screen window takes the
# desktop's size, a press between the items selects nothing, and a press at
# the scaled position of the quit item hits it.
source "$(dirname "$0")/lib.sh"

start_xvfb 1366x768
start_game ALSOFT_DRIVERS=no-such-driver PULSE_SERVER=/nonexistent --no-multisampling
wait_for_window
wait_for_pixel 3 766 is_dark_red

# Options item (logical 960, 465) scaled by 1366/1920 and 768/1080.
[ "$(pixel 683 331)" != "$(pixel 500 331)" ] || fail "no options item at its scaled place"
# Between the play and options items: had it chosen either, the menu would
# be gone and the quit item's press below would end nothing.
press 683 303
screenshot
shows 3 766 is_dark_red || fail "a press between items left the menu"
press 683 491
expect_exit 10
echo PASS

#!/usr/bin/env bash
# The credits from the menu: the headline, the name fading in and out again
# while the headline stays, Escape back to the menu, and quit.
source "$(dirname "$0")/lib.sh"

# bright_pixels X Y W H: how many pixels of the region in the last screenshot
# are nearly white (the credits' text; the backdrop is dark red).
bright_pixels() {
  convert "$WORK/shot.png" -crop "$3x$4+$1+$2" +repage -colorspace gray -threshold 70% \
    -format '%[fx:round(mean*w*h)]' info:
}

# wait_for_text NAME X Y W H TEST: screenshots until the region's bright pixel
# count passes TEST (given the count).
wait_for_text() {
  local name=$1 tries count
  shift
  for tries in $(seq 150); do
    screenshot
    count=$(bright_pixels "$1" "$2" "$3" "$4")
    "$5" "$count" && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended early"
    sleep 0.1
  done
  fail "$name never passed $5 ($count bright pixels)"
}
some() { [ "$1" -gt 100 ]; }
none() { [ "$1" -eq 0 ]; }

# Where the texts stand: the headline at (816, 50), the name at (852, 528).
HEADLINE="816 50 288 31"
NAME="852 528 216 31"

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null
wait_for_window
wait_for_pixel 5 1077 is_dark_red
xdotool mousemove 960 615 sleep 0.1 mousedown 1 sleep 0.5 mouseup 1

wait_for_text "the headline" $HEADLINE some
wait_for_text "the name" $NAME some
wait_for_text "the name's fade-out" $NAME none
some "$(bright_pixels $HEADLINE)" || fail "the headline went with the name"

xdotool keydown Escape sleep 0.5 keyup Escape
# The menu's credits item stands out from the backdrop beside it.
for tries in $(seq 100); do
  screenshot
  [ "$(pixel 960 617)" != "$(pixel 700 617)" ] && break
  [ "$tries" -lt 100 ] || fail "no menu after Escape"
  sleep 0.1
done

xdotool mousemove 960 690 sleep 0.1 mousedown 1 sleep 0.5 mouseup 1
expect_exit 5
echo PASS

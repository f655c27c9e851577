#!/usr/bin/env bash
# The command line: an unknown argument is refused with a message; on a
# software renderer the game asks for multisampling and says how to do
# without; with --no-multisampling it starts without, and the options show
# the antialiasing as NOT AVAILABLE.
source "$(dirname "$0")/lib.sh"

is_back_button() { [ "$1" -ge 60 ] && [ "$1" -le 120 ] && [ "$2" -ge 60 ] && [ "$3" -gt "$1" ]; }
is_not_back_button() { ! is_back_button "$@"; }

# start_with ARGUMENT...: the game in the game folder with its arguments.
start_with() {
  (cd "$GAME_DIR" && exec env ALSOFT_DRIVERS=null "$PROGRAM" "$@" >"$WORK/game.out" 2>"$WORK/game.err") &
  GAME_PID=$!
}

# White text pixels where "NOT AVAILABLE" stands on the options screen; a
# sample count ("4x") stands right of it.
not_available_pixels() {
  convert "$WORK/shot.png" -crop 180x31+619+375 +repage -threshold 90% -format '%[fx:int(mean*w*h)]' info:
}

# count_in_options: open the options, count into COUNT, go back and quit.
count_in_options() {
  xdotool mousemove 960 465 sleep 0.1 mousedown 1 sleep 0.5 mouseup 1 sleep 0.4
  wait_for_pixel 960 805 is_back_button
  COUNT=$(not_available_pixels)
  xdotool mousemove 960 805 sleep 0.1 mousedown 1 sleep 0.5 mouseup 1 sleep 0.4
  wait_for_pixel 960 805 is_not_back_button
  xdotool mousemove 960 690 sleep 0.1 mousedown 1 sleep 0.5 mouseup 1
  expect_exit 15
}

start_xvfb 1920x1080

# Anything else than the switch: a message naming it and the switch, status 2.
status=0
(cd "$GAME_DIR" && exec "$PROGRAM" --no-multisamplin >"$WORK/bad.out" 2>"$WORK/bad.err") || status=$?
[ "$status" -eq 2 ] || fail "an unknown argument ended with status $status, not 2"
grep -q -- '"--no-multisamplin"' "$WORK/bad.err" || fail "the refusal does not name the argument: $(cat "$WORK/bad.err")"
grep -q -- '--no-multisampling' "$WORK/bad.err" || fail "the refusal does not name the switch"

# Asked for and granted on llvmpipe: the warning, and a sample count shown.
start_with
wait_for_window
wait_for_pixel 5 1077 is_dark_red
grep -q 'software.*--no-multisampling' "$WORK/game.err" || fail "no warning about multisampling in software"
count_in_options
with_samples=$COUNT

start_with --no-multisampling
wait_for_window
wait_for_pixel 5 1077 is_dark_red
grep -q 'software' "$WORK/game.err" && fail "warned although multisampling is off"
count_in_options
without=$COUNT

[ "$without" -gt $((with_samples + 100)) ] ||
  fail "NOT AVAILABLE not shown: $without text pixels without multisampling, $with_samples with"
echo "PASS ($without text pixels of NOT AVAILABLE without multisampling, $with_samples with)"

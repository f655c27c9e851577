#!/usr/bin/env bash
# The command line and the multisampled display. A bad --seed is refused
# with a message naming it and status 2. An unknown argument is passed over
# with a line on standard error. On a software renderer the game asks for
# multisampling and says how to do without; its frames are then slow, and a
# 30 ms click on a menu item and in the editor still counts, every time.
# With --no-multisampling it starts without, and the options show the
# antialiasing as NOT AVAILABLE.
source "$(dirname "$0")/lib.sh"

own_game_folder bastion.zkm

for arguments in "--seed" "--seed x" "--seed -1" "--seed 2147483648" "--no-multisampling --seed 12ab"; do
  status=0
  # shellcheck disable=SC2086
  (cd "$GAME_DIR" && exec timeout 20 "$PROGRAM" $arguments >"$WORK/bad.out" 2>"$WORK/bad.err") || status=$?
  [ "$status" -eq 2 ] || fail "'$arguments' ended with status $status, not 2"
  grep -q -- '--seed' "$WORK/bad.err" || fail "'$arguments': the refusal does not name --seed: $(cat "$WORK/bad.err")"
done

# White text pixels where "NOT AVAILABLE" stands on the options screen; a
# sample count ("4x") stands right of it.
not_available_pixels() {
  convert "$SHOT" -crop 180x31+619+375 +repage -threshold 90% -format '%[fx:int(mean*w*h)]' info:
}
# count_in_options: open the options, count into COUNT, go back.
count_in_options() {
  press 960 465
  wait_for_pixel 960 805 is_back_button
  COUNT=$(not_available_pixels)
  press 960 805
  wait_for_pixel 960 805 is_not_back_button
}

start_xvfb 1920x1080

# Multisampled, with a misspelt switch that is passed over.
start_at_menu --no-multisamplin
grep -qx 'ZK3: ignoring the argument "--no-multisamplin"' "$WORK/game.err" ||
  fail "no line about the unknown argument"
grep -q 'software.*--no-multisampling' "$WORK/game.err" || fail "no warning about multisampling in software"
count_in_options
with_samples=$COUNT
open_editor is_sky
paint 1
leave_editor 1135
quit_from_menu

start_at_menu --no-multisampling
grep -q 'software' "$WORK/game.err" && fail "warned although multisampling is off"
count_in_options
quit_from_menu

[ "$COUNT" -gt $((with_samples + 100)) ] ||
  fail "NOT AVAILABLE not shown: $COUNT text pixels without multisampling, $with_samples with"
echo "PASS ($COUNT text pixels of NOT AVAILABLE without multisampling, $with_samples with)"

#!/usr/bin/env bash
# At 1920 x 1080 with the sound path live: the menu shows its backdrop and
# items, and a press on the quit item ends the program with status 0.
source "$(dirname "$0")/lib.sh"

start_xvfb 1920x1080
start_at_menu --no-multisampling

shows 5 2 is_black || fail "the top of the backdrop is not black: $(pixel 5 2)"
# Each item picture stands out from the backdrop beside it.
for y in 392 467 542 617 692; do
  [ "$(pixel 960 "$y")" != "$(pixel 700 "$y")" ] || fail "no item picture at y $y"
done
# The title picture above the items.
[ "$(pixel 960 150)" != "$(pixel 100 150)" ] || fail "no title picture"
grep -q "no sound" "$WORK/game.err" && fail "the sound path did not start"

quit_from_menu
echo PASS

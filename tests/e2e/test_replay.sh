#!/usr/bin/env bash
# A match is recorded and can be watched again: a seeded match on the grey
# arena in which the human's machine gun makes a bot bleed is left with
# Escape; its replay file is in the replays folder, the headless runner
# plays it through every checkpoint, and the game plays it in its window
# with "REPLAY" on screen, blood and all, then goes on to the menu. Files
# that are not replays are refused with a message and status 2.
source "$(dirname "$0")/lib.sh"

grey_arena 3
settings bots=1


start_xvfb 1920x1080
start_at_menu --no-multisampling --seed 1
shoot_the_walking_bot
xdotool mouseup 1
tap Escape
wait_for_pixel 5 1077 is_dark_red
quit_from_menu

replays=("$XDG_DATA_HOME"/zk3/replays/*_grey.zkr)
[ ${#replays[@]} -eq 1 ] && [ -f "${replays[0]}" ] || fail "expected one replay, found: ${replays[*]}"
replay=${replays[0]}
out=$("$SIM" --replay "$replay") || fail "zk3-sim --replay exited with $?: $out"
[[ $out =~ ^replay\ ticks\ [1-9][0-9]*\ checkpoints\ [1-9][0-9]*\ hash\ [0-9a-f]{16}$ ]] ||
  fail "zk3-sim printed: $out"

start_game ALSOFT_DRIVERS=null --no-multisampling --replay "$replay"
wait_for_window
wait_for "the REPLAY banner" replay_banner
wait_for "the blood on the floor again" blood_on_floor 5
tap Escape
wait_for_pixel 5 1077 is_dark_red
quit_from_menu

# Refusals, before any window opens.
printf 'not a replay' >"$WORK/bad.zkr"
head -c 40 "$replay" >"$WORK/cut.zkr"
for file in "$WORK/bad.zkr" "$WORK/cut.zkr" "$WORK/missing.zkr"; do
  status=0
  "$SIM" --replay "$file" >/dev/null 2>"$WORK/sim.err" || status=$?
  [ "$status" -eq 2 ] && [ -s "$WORK/sim.err" ] || fail "zk3-sim gave status $status for $file"
  status=0
  (cd "$GAME_DIR" && "$PROGRAM" --replay "$file" >/dev/null 2>"$WORK/game.err") || status=$?
  [ "$status" -eq 2 ] && grep -q "ZK3: " "$WORK/game.err" || fail "zk3 gave status $status for $file"
done
echo PASS

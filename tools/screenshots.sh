#!/usr/bin/env bash
# Screenshots of every screen of the real program under a virtual X server:
# menu, options, credits, the editor (with its leave dialog) and a fight on
# each listed map, into OUT_DIR. With a fourth argument, also writes the
# liveliest fight there as a small PNG for the README.
# Usage: tools/screenshots.sh <program> <game folder> <out dir> [readme.png]
# Needs xvfb, xdotool and imagemagick (install-deps.sh test).
OUT_DIR=$(mkdir -p "$3" && realpath "$3")
README_PNG=${4:+$(realpath -m "$4")}
source "$(dirname "$0")/../tests/e2e/lib.sh"

shoot() { screenshot; convert "$SHOT" "$OUT_DIR/$1.png"; echo "wrote $OUT_DIR/$1.png"; }

is_red_bar() { [ "$1" -ge 150 ] && [ "$2" -le 60 ] && [ "$3" -le 60 ]; }
is_grey() { [ "$1" -ge 60 ] && [ "$2" -ge 60 ] && [ "$3" -ge 60 ]; }
# Each screen by a pixel only it shows: the menu's play button over its dark
# red backdrop, the options screen's back button.
in_menu() { screenshot; is_dark_red $(pixel 5 1077) && is_grey $(pixel 830 390); }
in_options() { screenshot; is_grey $(pixel 830 805); }
left_menu() { ! in_menu; }

# Presses are not lost however slow the frame, but a busy machine may take
# a while to show the next screen: repeat until it has changed.
slow_press() { press "$@"; sleep 0.3; }
hold_key() { xdotool keydown "$1" sleep 0.5 keyup "$1" sleep 0.3; }
# repeat_until SCREEN ACTION...: repeats ACTION until SCREEN holds.
repeat_until() {
  local screen=$1 tries
  shift
  for tries in $(seq 20); do
    "$@"
    "$screen" && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended early"
  done
  fail "never reached $screen after $*"
}

# warm: how many pixels of the last screenshot (at quarter size) show fire
# or blood, to keep the liveliest of several.
warm() {
  convert "$SHOT" -scale 25% -fx 'r>0.6 && r-g>0.25 && b<0.25 ? 1 : 0' \
    -format '%[fx:round(mean*w*h)]' info:
}

# fight NAME: a match with the machine gun; the human sprays the walls and
# throws grenades (their fuse burns 1.5 s) while the bots fight. Of a
# screenshot after each round, taken while the human lives, the one with the
# most fire and blood is kept.
fight() {
  repeat_until left_menu slow_press 960 390
  # Entering the arena takes five seconds; the weapon offer opens after 1.5.
  sleep 2.5
  hold_key 2
  wait_for_pixel 400 45 is_red_bar
  sleep 1.5
  local round best=-1 score
  for round in 1 2 3 4 5; do
    # A short lob to one side, a burst to the other, and slow motion once the
    # grenade has gone off, so that its fire and smoke stay in the picture.
    xdotool mousemove $((round % 2 ? 1300 : 620)) 420 sleep 0.1 mousedown 3 sleep 0.35 mouseup 3
    sleep 0.2
    xdotool mousemove $((round % 2 ? 500 : 1420)) 600 sleep 0.1 mousedown 1 sleep 0.8 mouseup 1
    sleep 0.6
    hold_key e
    screenshot
    hold_key e
    is_red_bar $(pixel 400 45) || continue
    score=$(warm)
    if [ "$score" -gt "$best" ]; then
      best=$score
      convert "$SHOT" "$OUT_DIR/$1.png"
    fi
  done
  [ "$best" -ge 0 ] || shoot "$1"
  echo "wrote $OUT_DIR/$1.png (fire and blood: $best)"
  if [ "$best" -gt "$liveliest" ]; then
    liveliest=$best
    liveliest_shot="$OUT_DIR/$1.png"
  fi
  repeat_until in_menu hold_key Escape
}

start_xvfb 1920x1080
# Software drawing keeps up only without multisampling.
start_at_menu --no-multisampling
shoot menu

repeat_until in_options slow_press 960 465
shoot options
for _ in $(seq 9); do slow_press 1503 318; done  # ten bots
repeat_until in_menu slow_press 960 805

# One fight on each listed map, then the next map on the options screen.
liveliest=-1
liveliest_shot=""
for number in $(seq "$(ls "$GAME_DIR/zkm" | grep -c '\.zkm$')"); do
  fight "match_$number"
  repeat_until in_options slow_press 960 465
  slow_press 872 522
  repeat_until in_menu slow_press 960 805
done

# The editor opens the map chosen last.
repeat_until left_menu slow_press 960 540
sleep 1
shoot editor
hold_key q
sleep 1
shoot editor_zoomed
hold_key e
hold_key Escape
shoot editor_leave
repeat_until in_menu slow_press 1134 540

# The name shows from 2 s to 6 s after entering; checking the screen took some.
repeat_until left_menu slow_press 960 615
sleep 2.5
shoot credits
repeat_until in_menu hold_key Escape
slow_press 960 690
expect_exit 10

if [ -n "$README_PNG" ] && [ -n "$liveliest_shot" ]; then
  # Half size and a reduced palette keep the committed picture small.
  convert "$liveliest_shot" -resize 960x540 -dither None -colors 96 \
    -define png:compression-level=9 -strip "$README_PNG"
  echo "wrote $README_PNG from $liveliest_shot ($(stat -c %s "$README_PNG") bytes)"
fi

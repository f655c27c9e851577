#!/usr/bin/env bash
# The map editor in the real program, on a copy of a shipped map in a game
# folder of the test's own: key 2 and a click paint a wall into an empty
# cell, the leave dialog saves, and the file on disk differs from the old one
# in exactly that cell, with the old version kept as the backup. A second
# edit left without saving changes nothing.
source "$(dirname "$0")/lib.sh"

folder="$WORK/game"
mkdir -p "$folder/zkm"
ln -s "$GAME_DIR/png" "$folder/png"
ln -s "$GAME_DIR/wav" "$folder/wav"
cp "$GAME_DIR/zkm/bastion.zkm" "$folder/zkm/"
cp "$GAME_DIR/zkm/bastion.zkm" "$WORK/original.zkm"
GAME_DIR="$folder"
map="$folder/zkm/bastion.zkm"

# Bastion's cell at column 1, row 1 is empty sky (code 000000): an indigo dusk.
[ "$(sed -n 9p "$map" | cut -d' ' -f2)" = "000000" ] || fail "bastion's cell (1, 1) is not empty"
is_sky() { [ "$3" -ge $(( $1 + 20 )) ] && [ "$3" -ge 40 ]; }
is_not_sky() { ! is_sky "$@"; }
# Wall picture 1, grey stone, where a painted cell shows it (it is light at
# the pixel two in from the cell's bottom-right corner).
is_stone() { [ "$1" -ge 90 ] && [ "$2" -ge 90 ] && [ "$3" -ge 90 ]; }

# differences OLD NEW: "line:word:old>new" for each word that differs.
differences() {
  awk 'NR == FNR { for (i = 1; i <= NF; i++) word[FNR, i] = $i; words[FNR] = NF; next }
       { if (NF != words[FNR]) print FNR ":count"
         for (i = 1; i <= NF; i++) if (word[FNR, i] != $i) print FNR ":" i ":" word[FNR, i] ">" $i }
       END { if (FNR != length(words)) print "lines" }' "$1" "$2"
}

# Each key and button is held, or pressed again, until the screen shows its
# effect, so that a busy machine cannot miss a short press.
is_dialog() { [ "$1" -ge 10 ] && [ "$1" -le 60 ] && [ "$2" -le 60 ] && [ "$3" -le 60 ]; }
open_editor() {
  xdotool mousemove 960 540 mousedown 1
  wait_for_pixel 60 60 "$1"
  xdotool mouseup 1
}
# press_until X Y CHECK...: presses at (X, Y) until CHECK passes. A menu
# ignores a press until it has seen the button up after its start, which a
# busy machine can hide from it.
press_until() {
  local x=$1 y=$2 tries
  shift 2
  for tries in $(seq 20); do
    press "$x" "$y"
    sleep 0.5
    "$@" && return 0
  done
  fail "pressing ($x, $y) never led to: $*"
}
shows() { screenshot && "$3" $(pixel "$1" "$2"); }
game_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }
# paint KEY COLUMN: KEY held and the pointer on the cell at COLUMN, row 1,
# until the brush shows there: the editor has seen the button up since the
# last press. Then the left button held too until the cell is no longer sky
# but stone (the brush, whose corner is the pointer, stops short of there).
paint() {
  local x=$(( $2 * 40 + 35 ))
  xdotool keydown "$1" mousemove "$x" 75
  wait_for_pixel $(( x - 25 )) 50 is_not_sky
  xdotool mousedown 1
  wait_for_pixel $(( x + 2 )) 77 is_stone
  xdotool mouseup 1 keyup "$1"
}
# leave X: Escape until the dialog shows, then the button at (X, 540) held
# until the menu is back. Escape is tapped, not held: a key held past the
# auto-repeat delay may look released for a moment, which would close the
# dialog again.
leave() {
  local tries
  xdotool mousemove 960 800
  for tries in $(seq 10); do
    xdotool keydown Escape sleep 0.3 keyup Escape
    sleep 0.5
    shows 960 520 is_dialog && break
    [ "$tries" -lt 10 ] || fail "Escape never opened the leave dialog"
  done
  xdotool mousemove "$1" 540 mousedown 1
  wait_for_pixel 5 1077 is_dark_red
  xdotool mouseup 1
}

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null
wait_for_window
wait_for_pixel 5 1077 is_dark_red
open_editor is_sky
paint 2 1
leave 785

cmp -s "$WORK/original.zkm" "$map.bak" || fail "the backup does not hold the old version"
[ ! -e "$map.tmp" ] || fail "a temporary file was left behind"
changed=$(differences "$WORK/original.zkm" "$map")
[ "$changed" = "9:2:000000>010000" ] || fail "the saved map differs in: ${changed:-nothing}"
cp "$map" "$WORK/saved.zkm"

# Painted again, then left without saving: the file stays as saved. (Here a
# press more on the menu item, landing in the editor, would do no harm.)
press_until 960 540 shows 77 77 is_stone
paint 2 3
leave 1135
cmp -s "$WORK/saved.zkm" "$map" || fail "leaving without saving changed the file"

press_until 960 690 game_ended
expect_exit 5
echo PASS

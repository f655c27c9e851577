# Shared steps of the end-to-end tests: a virtual X server, the real program
# started in the game folder, presses and keys as a hand makes them,
# screenshots and waits for what the screen shows.
# Sourced by the test_*.sh scripts with: <program> <game folder> <headless runner> <dedicated server>.
set -euo pipefail

# A test that sets OWN_NETWORK before sourcing this runs again in a network
# namespace of its own with only the loopback up: the ports it takes are its
# own whatever else runs on the machine, and its broadcasts reach nothing.
if [ -n "${OWN_NETWORK:-}" ] && [ -z "${ZK3_OWN_NETWORK:-}" ]; then
  exec unshare -n env ZK3_OWN_NETWORK=1 bash -c 'ip link set lo up && exec bash "$@"' "$(basename "$0" .sh)" "$0" "$@"
fi

PROGRAM=$(realpath "$1")
GAME_DIR=$(realpath "$2")
SIM=$(realpath "${3:-/nonexistent}")
SERVER=$(realpath "${4:-/nonexistent}")
WORK=$(mktemp -d)
# Uncompressed, so that a screenshot takes a fifth of the time a PNG does.
SHOT="$WORK/shot.ppm"
GAME_PID=""
SECOND_PID=""
XVFB_PID=""
export MESA_SHADER_CACHE_DISABLE=true
# Each test starts from the default settings and keeps its own.
export XDG_CONFIG_HOME="$WORK/config"
# ... and writes its replays there too.
export XDG_DATA_HOME="$WORK/data"

cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "$SECOND_PID" ] && kill "$SECOND_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# fail WHY: the reason, the game's standard error, and with E2E_SHOTS set the
# last screenshot kept there for a look.
fail() {
  echo "FAIL: $*" >&2
  [ -f "$WORK/game.err" ] && sed 's/^/  game: /' "$WORK/game.err" >&2
  [ -f "$WORK/second.err" ] && sed 's/^/  second game: /' "$WORK/second.err" >&2
  if [ -n "${E2E_SHOTS:-}" ] && [ -f "$SHOT" ]; then
    mkdir -p "$E2E_SHOTS"
    convert "$SHOT" "$E2E_SHOTS/$(basename "$0" .sh).png" || true
  fi
  exit 1
}

# start_xvfb WIDTHxHEIGHT: a private X server on a free display number, once
# it answers. Its first start on a fresh machine can take several seconds; a
# server that ends at once found its number taken (by another file system's
# server, or by a test started beside this one that took the number first),
# so the next number is tried. Until the number's lock file names this
# server, an answer may come from that other one.
start_xvfb() {
  local number tries
  for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 "$1x24" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$number"
    for tries in $(seq 300); do
      [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$number-lock")" = "$XVFB_PID" ] &&
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$XVFB_PID" 2>/dev/null || continue
    fail "Xvfb did not start on :$number within 30 s"
  done
  fail "no free X display number"
}

# start_game [VAR=value ...] [ARGUMENT ...]: the program in the game folder,
# with extra environment, then its arguments.
start_game() {
  launch game "$@"
  GAME_PID=$LAUNCHED_PID
}

# start_second_game [VAR=value ...] [ARGUMENT ...]: another program beside
# the first, started the same way; SECOND_PID names it.
start_second_game() {
  launch second "$@"
  SECOND_PID=$LAUNCHED_PID
}

# launch NAME [VAR=value ...] [ARGUMENT ...]: the program started, its output
# in NAME.out and NAME.err; LAUNCHED_PID names it.
launch() {
  local name=$1 environment=()
  shift
  while [ $# -gt 0 ] && [[ $1 =~ ^[A-Za-z_][A-Za-z0-9_]*= ]]; do
    environment+=("$1")
    shift
  done
  (cd "$GAME_DIR" && exec env "${environment[@]}" "$PROGRAM" "$@" >"$WORK/$name.out" 2>"$WORK/$name.err") &
  LAUNCHED_PID=$!
}

# window_of PID: WINDOW names that game's window once it is open. With two
# games, each window is told apart by its game.
window_of() {
  local tries
  for tries in $(seq 300); do
    WINDOW=$(xdotool search --all --pid "$1" --name '^ZK3$' 2>/dev/null | head -n 1 || true)
    [ -n "$WINDOW" ] && return 0
    kill -0 "$1" 2>/dev/null || fail "the game $1 ended before its window opened"
    sleep 0.1
  done
  fail "no window of the game $1 appeared"
}

# focus_window WINDOW X Y: the pointer at (X, Y) of the screen, inside WINDOW, and
# the keyboard's focus on WINDOW; with no window manager, focus follows the
# pointer, so both are needed for keys to reach it.
focus_window() {
  xdotool mousemove "$2" "$3"
  xdotool windowfocus --sync "$1" 2>/dev/null || true
}

# wait_for_window: the game's window exists; focus it so keys reach it.
wait_for_window() {
  local tries window
  for tries in $(seq 300); do
    window=$(xdotool search --name '^ZK3$' 2>/dev/null | head -n 1 || true)
    if [ -n "$window" ]; then
      xdotool windowfocus --sync "$window" 2>/dev/null || true
      return 0
    fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window opened"
    sleep 0.1
  done
  fail "no window named ZK3 appeared"
}

# start_at_menu [VAR=value ...] [ARGUMENT ...]: the game started on the
# 1920 x 1080 screen with the sound path live, up to its menu.
start_at_menu() {
  start_game ALSOFT_DRIVERS=null "$@"
  wait_for_window
  wait_for_pixel 5 1077 is_dark_red
}

screenshot() {
  import -window root -depth 8 "$SHOT"
}

# pixel X Y: "r g b" of the last screenshot, read straight from the file.
pixel() {
  local header width
  header=$(head -n 3 "$SHOT" | wc -c)
  width=$(sed -n '2{s/ .*//p;q}' "$SHOT")
  echo $(od -An -tu1 -j $((header + 3 * ($2 * width + $1))) -N3 "$SHOT")
}

# shows X Y TEST: the pixel of the last screenshot passes TEST, given r g b.
shows() {
  "$3" $(pixel "$1" "$2")
}

# wait_for WHAT CHECK...: screenshots until CHECK passes. Every wait is for
# something the game is bound to show; the minute is only a safety net.
wait_for() {
  local what=$1 give_up=$((SECONDS + 60))
  shift
  until screenshot && "$@"; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while waiting for $what"
    [ -z "$SECOND_PID" ] || kill -0 "$SECOND_PID" 2>/dev/null || fail "the second game ended while waiting for $what"
    [ "$SECONDS" -lt "$give_up" ] || fail "$what never showed"
    sleep 0.05
  done
}

# wait_for_output FILE PATTERN: a headless peer's output FILE has a line
# matching PATTERN (grep's); the minute and a half is only a safety net.
wait_for_output() {
  local give_up=$((SECONDS + 90))
  until grep -q "$2" "$1" 2>/dev/null; do
    [ "$SECONDS" -lt "$give_up" ] || fail "never: $2 in $1: $(cat "$1")"
    sleep 0.05
  done
}

# wait_for_pixel X Y TEST: screenshots until the pixel passes TEST.
wait_for_pixel() {
  wait_for "pixel ($1, $2) passing $3" shows "$@"
}

# pixels CROP: "r g b" (0..255) of each pixel of the last screenshot's CROP
# (WxH+X+Y), row by row.
pixels() {
  convert "$SHOT" -crop "$1" +repage -depth 8 rgb:- | od -An -v -tu1 -w3
}

# count_pixels CROP CONDITION: how many of those pass CONDITION, an awk
# test of r, g and b and of x and y within the crop.
count_pixels() {
  pixels "$1" | awk -v width="${1%%x*}" '{ r = $1; g = $2; b = $3; x = (NR - 1) % width; y = int((NR - 1) / width) }
    '"$2"' { n++ } END { print n + 0 }'
}

# region_hash X Y W H: a hash of a region of the last screenshot.
region_hash() {
  convert "$SHOT" -crop "$3x$4+$1+$2" +repage -format '%#' info:
}

# press X Y: a 30 ms click of the left button, as a hand makes it. The game
# remembers a press it did not see held, so no click needs holding longer.
press() {
  xdotool mousemove "$1" "$2" mousedown 1 sleep 0.03 mouseup 1
}

# tap KEY: a 30 ms key press; KEY may be a chord such as ctrl+z.
tap() {
  xdotool keydown "$1" sleep 0.03 keyup "$1"
}

# press_until_changed X Y  RX RY RW RH: one press at (X, Y), then
# screenshots until the region (RX, RY, RW, RH) shows something else.
press_until_changed() {
  local before
  screenshot
  before=$(region_hash "$3" "$4" "$5" "$6")
  press "$1" "$2"
  wait_for "a change in $5x$6+$3+$4 after a press at ($1, $2)" changed_from "$before" "$3" "$4" "$5" "$6"
}
changed_from() {
  [ "$(region_hash "$2" "$3" "$4" "$5")" != "$1" ]
}

# wait_for_window_size WIDTHxHEIGHT: the game's window has that size.
wait_for_window_size() {
  local tries window size=""
  for tries in $(seq 300); do
    for window in $(xdotool search --name '^ZK3$' 2>/dev/null || true); do
      size=$(xwininfo -id "$window" 2>/dev/null |
        awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }' || true)
      if [ "$size" = "$1" ]; then
        xdotool windowfocus --sync "$window" 2>/dev/null || true
        return 0
      fi
    done
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while its display was re-made"
    sleep 0.1
  done
  fail "the window never became $1 (last seen: ${size:-none})"
}

# expect_exit SECONDS [PID_VARIABLE]: the game (or the one whose pid that
# variable holds, such as SECOND_PID) ends with status 0 in time.
expect_exit() {
  local tries status name=${2:-GAME_PID}
  local pid=${!name}
  for tries in $(seq $(( $1 * 10 ))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      status=0
      wait "$pid" || status=$?
      printf -v "$name" '%s' ""
      [ "$status" -eq 0 ] || fail "the game exited with status $status"
      return 0
    fi
    sleep 0.1
  done
  fail "the game was still running after $1 s"
}

# quit_from_menu: the quit item of the 1920 x 1080 menu ends the program.
quit_from_menu() {
  press 960 690
  expect_exit 10
}

# settings KEY=VALUE ...: the settings file the next start reads.
settings() {
  mkdir -p "$XDG_CONFIG_HOME/zk3"
  printf '%s\n' "$@" >"$XDG_CONFIG_HOME/zk3/settings.txt"
}

# The menu's backdrop: black at the top, dark red at the bottom.
is_dark_red() { [ "$1" -ge 40 ] && [ "$1" -le 60 ] && [ "$2" -le 4 ] && [ "$3" -le 4 ]; }
is_black() { [ "$1" -le 4 ] && [ "$2" -le 4 ] && [ "$3" -le 4 ]; }
# The options' back button: a grey face, unlike anything on the menu.
is_back_button() { [ "$1" -ge 60 ] && [ "$1" -le 120 ] && [ "$2" -ge 60 ] && [ "$3" -gt "$1" ]; }
is_not_back_button() { ! is_back_button "$@"; }
# A match's health bar at (400, 45), and the red line under the weapon
# offer's headline at (960, 440).
is_red_bar() { [ "$1" -ge 150 ] && [ "$2" -le 60 ] && [ "$3" -le 60 ]; }

# The editor on bastion: its sky (an indigo dusk), wall picture 1 (grey
# stone, light at the pixel two in from a painted cell's bottom-right
# corner) and the leave dialog.
is_sky() { [ "$3" -ge $(( $1 + 20 )) ] && [ "$3" -ge 40 ]; }
is_stone() { [ "$1" -ge 90 ] && [ "$2" -ge 90 ] && [ "$3" -ge 90 ]; }
is_dialog() { [ "$1" -ge 10 ] && [ "$1" -le 60 ] && [ "$2" -le 60 ] && [ "$3" -le 60 ]; }
# cell_x COLUMN: where that pixel is in the cell at COLUMN of row 1 (y 77).
cell_x() { echo $(( $1 * 40 + 37 )); }

# open_editor TEST: the editor from the menu, once cell (1, 1) passes TEST.
open_editor() {
  press 960 540
  wait_for "the editor" shows "$(cell_x 1)" 77 "$1"
}

# paint COLUMN: key 2 (wall pictures) and a click paint wall picture 1 into
# the cell at COLUMN of row 1; the pointer then rests in a corner, away from
# row 1 and the leave dialog. The brush, whose bottom-right corner is the
# pointer, stops short of the pixel looked at.
paint() {
  tap 2
  press $(( $1 * 40 + 35 )) 75
  wait_for "wall picture 1 in cell ($1, 1)" shows "$(cell_x "$1")" 77 is_stone
  xdotool mousemove 1900 1060
}

# leave_editor X: Escape opens the leave dialog, and its button at (X, 540)
# leaves for the menu: 785 saves, 1135 does not.
leave_editor() {
  tap Escape
  wait_for_pixel 960 520 is_dialog
  press "$1" 540
  wait_for_pixel 5 1077 is_dark_red
}

# own_game_folder [MAP ...]: a game folder of the test's own, sharing the
# shipped pictures and sounds, with copies of the named shipped maps (none
# but those); GAME_DIR then names it.
own_game_folder() {
  local folder="$WORK/game" name
  mkdir -p "$folder/zkm"
  ln -s "$GAME_DIR/png" "$folder/png"
  ln -s "$GAME_DIR/wav" "$folder/wav"
  for name in "$@"; do
    cp "$GAME_DIR/zkm/$name" "$folder/zkm/"
  done
  GAME_DIR="$folder"
}

# grey_arena MARKER [pillar]: a game folder of the test's own whose only
# map is a grey one-screen arena with a floor (its top at y 1040), so the
# colours on screen are known, and one spawn point at x 920, where every
# fighter enters: MARKER 1 keeps a bot standing there, 3 sends it walking
# right. With "pillar", a concrete pillar stands at x 1600..1679 from y 200
# down to the floor. GAME_DIR then names it.
grey_arena() {
  own_game_folder
  awk -v marker="$1" -v pillar="${2:-}" 'BEGIN {
    print "1920 1080\n0.3 0.3 0.3\n0.3 0.3 0.3\n0\n1\nwall_concrete.png"
    for (row = 0; row <= 26; row++) {
      line = ""
      for (column = 0; column <= 47; column++) {
        code = "000000"
        if (row == 26 || (pillar && row >= 5 && column >= 40 && column <= 41)) code = "010000"
        if (row == 24 && column == 23) code = "00000" marker
        line = line (column ? " " : "") code
      }
      print line
    }
  }' >"$GAME_DIR/zkm/grey.zkm"
}

# On the grey arena: blood_on_floor COLUMNS: at least COLUMNS columns show
# blood lying on the floor's top (y 1037..1039) and nothing coloured above
# it (y 995..1034), so no fighter stands there.
blood_on_floor() {
  [ "$(pixels 1600x45+0+995 | awk '{ x = (NR - 1) % 1600; y = int((NR - 1) / 1600) }
      y < 40 && ($1 - $2 > 15 || $2 - $1 > 15 || $2 - $3 > 15 || $3 - $2 > 15 || $1 - $3 > 15 || $3 - $1 > 15) { fighter[x] = 1 }
      y >= 42 && $1 > 76 && $2 < 13 && $3 < 13 { blood[x] = 1 }
      END { for (x in blood) n += !(x in fighter); print n + 0 }')" -ge "$1" ]
}

# The "REPLAY" banner: white lettering at the top of the screen.
replay_banner() {
  [ "$(count_pixels 700x60+610+115 'r > 230 && g > 230 && b > 230')" -ge 100 ]
}

# shoot_the_walking_bot: from the menu, a match on the grey arena (marker 3,
# one bot) in which the human takes the machine gun, chosen while the offer
# shows in the wait before entry, and holds the trigger from then on, so it
# fires from its first moment in the arena at chest height along the bot's
# way, until blood lies on the floor. The trigger stays held.
shoot_the_walking_bot() {
  press 960 390
  wait_for_pixel 960 440 is_red_bar
  tap 2
  xdotool mousemove 1500 982 mousedown 1
  wait_for_pixel 400 45 is_red_bar
  wait_for "blood on the floor" blood_on_floor 5
}

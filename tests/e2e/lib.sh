# Shared steps of the end-to-end tests: a virtual X server, the real program
# started in the game folder, pointer presses, screenshots and pixel reads.
# Sourced by the test_*.sh scripts with: <program> <game folder>.
set -euo pipefail

PROGRAM=$(realpath "$1")
GAME_DIR=$(realpath "$2")
WORK=$(mktemp -d)
GAME_PID=""
XVFB_PID=""
export MESA_SHADER_CACHE_DISABLE=true
# Each test starts from the default settings and keeps its own.
export XDG_CONFIG_HOME="$WORK/config"

cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$WORK/game.err" ] && sed 's/^/  game: /' "$WORK/game.err" >&2
  exit 1
}

# start_xvfb WIDTHxHEIGHT: a private X server on a free display number. Its
# first start on a fresh machine can take several seconds; a server that ends
# at once found its number taken (by another file system's server, say), so
# the next number is tried.
start_xvfb() {
  local number tries
  for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 "$1x24" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$number"
    for tries in $(seq 300); do
      [ -e "/tmp/.X11-unix/X$number" ] && sleep 0.2 && return 0
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$XVFB_PID" 2>/dev/null || continue
    fail "Xvfb did not start on :$number within 30 s"
  done
  fail "no free X display number"
}

# start_game [VAR=value ...]: the program in the game folder, with extra environment.
start_game() {
  (cd "$GAME_DIR" && exec env "$@" "$PROGRAM" >"$WORK/game.out" 2>"$WORK/game.err") &
  GAME_PID=$!
}

# wait_for_window: the game's window exists; focus it so keys reach it.
wait_for_window() {
  local tries window
  for tries in $(seq 100); do
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

screenshot() {
  import -window root "$WORK/shot.png"
}

# pixel X Y: "r g b" of the last screenshot.
pixel() {
  convert "$WORK/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

# wait_for_pixel X Y TEST: screenshots until the pixel passes TEST, given r g b.
wait_for_pixel() {
  local x=$1 y=$2 test=$3 tries
  for tries in $(seq 100); do
    screenshot
    if "$test" $(pixel "$x" "$y"); then return 0; fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended early"
    sleep 0.1
  done
  fail "pixel ($x, $y) never passed $test: $(pixel "$x" "$y")"
}

# press X Y: a left press long enough for the 100 Hz poll to see it.
press() {
  xdotool mousemove "$1" "$2" sleep 0.05 mousedown 1 sleep 0.15 mouseup 1
}

# tap KEY: a key held long enough for the 100 Hz poll to see it, even on a
# busy machine.
tap() {
  xdotool keydown "$1" sleep 0.15 keyup "$1"
}

# wait_for_window_size WIDTHxHEIGHT: the game's window has that size.
wait_for_window_size() {
  local tries window size=""
  for tries in $(seq 100); do
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

# slow_press X Y: a press held long enough, and a pause after it long
# enough, for the 100 Hz poll to see both even while a loaded machine draws
# slow full-screen frames.
slow_press() {
  xdotool mousemove "$1" "$2" sleep 0.1 mousedown 1 sleep 0.5 mouseup 1 sleep 0.4
}

# expect_exit SECONDS: the game ends with status 0 in time.
expect_exit() {
  local tries status
  for tries in $(seq $(( $1 * 10 ))); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      status=0
      wait "$GAME_PID" || status=$?
      GAME_PID=""
      [ "$status" -eq 0 ] || fail "the game exited with status $status"
      return 0
    fi
    sleep 0.1
  done
  fail "the game was still running after $1 s"
}

# The menu's backdrop: black at the top, dark red at the bottom.
is_dark_red() { [ "$1" -ge 40 ] && [ "$1" -le 60 ] && [ "$2" -le 4 ] && [ "$3" -le 4 ]; }
is_black() { [ "$1" -le 4 ] && [ "$2" -le 4 ] && [ "$3" -le 4 ]; }

# grey_arena [pillar | rooms]: a game folder of the test's own whose only
# map is a grey one-screen arena with a floor and eight spawn points on it,
# so the colours on screen are known. With "pillar", a concrete pillar
# stands at x 1600..1679 from y 200 down to the floor, and the spawn points
# are the four left of x 900, all in sight of each other. With "rooms",
# walls 120 units high part the spawn points, so nobody sees anybody and
# only the human fires, over them. GAME_DIR then names it.
grey_arena() {
  local folder="$WORK/game" row column code line variant="${1:-}"
  mkdir -p "$folder/zkm"
  ln -s "$GAME_DIR/png" "$folder/png"
  ln -s "$GAME_DIR/wav" "$folder/wav"
  {
    echo "1920 1080"
    echo "0.3 0.3 0.3"
    echo "0.3 0.3 0.3"
    echo "0"
    echo "1"
    echo "wall_concrete.png"
    for row in $(seq 0 26); do
      line=""
      for column in $(seq 0 47); do
        code=000000
        [ "$row" -eq 26 ] && code=010000
        [ "$row" -eq 24 ] && [ $((column % 6)) -eq 3 ] && code=000001
        if [ "$variant" = pillar ]; then
          [ "$row" -eq 24 ] && [ "$column" -gt 21 ] && code=000000
          [ "$row" -ge 5 ] && [ "$column" -ge 40 ] && [ "$column" -le 41 ] && code=010000
        elif [ "$variant" = rooms ]; then
          [ "$row" -ge 23 ] && [ $((column % 6)) -eq 0 ] && code=010000
        fi
        line="$line${line:+ }$code"
      done
      echo "$line"
    done
  } >"$folder/zkm/grey.zkm"
  GAME_DIR="$folder"
}

#!/usr/bin/env bash
# A joiner that stays connected but sends no controls: the host's window
# says "WAITING FOR PLAYER 2" once its match has waited half a second, and
# three seconds later the joiner is let go, a bot plays on and the note is
# gone.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

grey_arena 1
settings bots=1 display=windowed
PORT=27960

# The note is yellow (255, 220, 64), big, at logical y 180: y 90 in the
# 960 x 540 window.
NOTE=960x24+0+86
note_shows() { [ "$(count_pixels "$NOTE" 'r >= 200 && g >= 180 && g <= 235 && b <= 100')" -ge 100 ]; }
note_gone() { ! note_shows; }
both_huds() { shows 100 11 is_red_bar; }

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null --no-multisampling --seed 1 --host "$PORT"
window_of "$GAME_PID"
wait_for "the host in its lobby" shows 445 160 is_red_bar

"$SIM" --join "127.0.0.1:$PORT" --misbehave idle >"$WORK/idle.out" 2>"$WORK/idle.err" &
IDLE_PID=$!
wait_for "the idle joiner in the lobby" shows 445 185 is_red_bar
focus_window "$WINDOW" 480 270
tap Return
wait_for "WAITING FOR in the host's window" note_shows
wait_for "the note gone once the idle joiner is let go" note_gone
wait "$IDLE_PID" || fail "the idle joiner exited with $?"
grep -q "^let go: your controls stopped arriving for 3 s$" "$WORK/idle.out" ||
  fail "the idle joiner printed: $(cat "$WORK/idle.out" "$WORK/idle.err")"
tap Escape
wait_for_pixel 3 538 is_dark_red
press 480 345
expect_exit 10
echo PASS

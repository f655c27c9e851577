#!/usr/bin/env bash
# A game window joins a match 1,000 ticks under way between two headless
# peers and a bot: it catches up, takes over the bot's fighter, and walks it
# left and then right.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

grey_arena 1
settings name=ANNA shirt=1 pants=2 display=windowed
PORT=27960

"$SIM" --host "$PORT" --players 2 --bots 1 --seed 5 --ticks 100000 "$GAME_DIR/zkm/grey.zkm" \
  >"$WORK/host.out" 2>"$WORK/host.err" &
HOST_PID=$!
"$SIM" --join "127.0.0.1:$PORT" --ticks 100000 >"$WORK/joiner.out" 2>"$WORK/joiner.err" &
JOINER_PID=$!
trap 'kill "$HOST_PID" "$JOINER_PID" 2>/dev/null || true; cleanup' EXIT
wait_for_output "$WORK/host.err" "at tick 1000"

# The 960 x 540 window shows logical (X, Y) at (X / 2, Y / 2). ANNA's legs
# are green, which her name (in her brown shirt's colour), the other names
# (in the headless peers' red) and the entry cloud cannot show; the bot
# whose fighter she takes over stands at the spawn point, so green away from
# it is her walk. The bot's clothes follow from the seed (and are not green).
green_in() { [ "$(count_pixels "$1" 'g >= 100 && r <= 40 && b <= 40')" -ge 30 ]; }
start_xvfb 960x540
start_game ALSOFT_DRIVERS=null --no-multisampling --join "127.0.0.1:$PORT"
window_of "$GAME_PID"
focus_window "$WINDOW" 480 270
wait_for "the player's green fighter" green_in 960x470+0+55
xdotool keydown a
wait_for "the fighter walked left of the middle" green_in 400x470+0+55
xdotool keyup a
xdotool keydown d
wait_for "the fighter walked right of the middle" green_in 400x470+560+55
xdotool keyup d

grep -Eq "ANNA takes over slot 2 at tick [0-9]+" "$WORK/host.err" || fail "the host said: $(cat "$WORK/host.err")"
echo PASS

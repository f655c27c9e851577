#!/usr/bin/env bash
# A game window joins the dedicated server and plays; a second window comes
# to watch once the match has begun, catches up on it, and sees the
# player's green legs walk to the right.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

SHIPPED=$GAME_DIR
grey_arena 1
settings name=ANNA shirt=1 pants=2 display=windowed
PORT=27960
WATCHER=$WORK/watcher
mkdir -p "$WATCHER/game/zkm"
ln -s "$SHIPPED/png" "$WATCHER/game/png"
ln -s "$SHIPPED/wav" "$WATCHER/game/wav"
cp "$SHIPPED/zkm/bastion.zkm" "$WATCHER/game/zkm/"
XDG_CONFIG_HOME=$WATCHER/config settings display=windowed

"$SERVER" --port "$PORT" --bots 1 --score-limit 0 --time-limit 0 --wait-for 1 --lobby 1 \
  --replays "$WORK/server_replays" "$GAME_DIR/zkm/grey.zkm" >"$WORK/server.out" 2>"$WORK/server.err" &
SERVER_PID=$!
trap 'kill "$SERVER_PID" 2>/dev/null || true; cleanup' EXIT

# Two 960 x 540 windows, the watcher's at x 960: logical (X, Y) is at
# (X / 2, Y / 2) in the player's and (960 + X / 2, Y / 2) in the watcher's.
J=960
is_arena_grey() { [ "$1" -ge 70 ] && [ "$1" -le 82 ] && [ "$2" -eq "$1" ] && [ "$3" -eq "$1" ]; }
players_hud() { shows 200 22 is_red_bar; }
# The watcher's view of the arena, with its line at the bottom.
watching() { shows $(( J + 480 )) 150 is_arena_grey && white_in 500x10+$(( J + 230 ))+493 20; }
white_in() { [ "$(count_pixels "$1" 'r > 230 && g > 230 && b > 230')" -ge "$2" ]; }
# The player's green legs right of the spawn point (logical x 1060 on): not
# its name, drawn in its brown shirt's colour, and not the bot, which stands
# at the spawn point.
green_right_in_watcher() { [ "$(count_pixels 430x470+$(( J + 530 ))+55 'g >= 100 && r <= 40 && b <= 40')" -ge 30 ]; }

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null --no-multisampling --join "127.0.0.1:$PORT"
window_of "$GAME_PID"
PLAYER_WINDOW=$WINDOW
wait_for "the player's match on the server" players_hud

GAME_DIR=$WATCHER/game start_second_game XDG_CONFIG_HOME="$WATCHER/config" XDG_DATA_HOME="$WATCHER/data" \
  ALSOFT_DRIVERS=null --no-multisampling --watch "127.0.0.1:$PORT"
window_of "$SECOND_PID"
xdotool windowmove --sync "$WINDOW" "$J" 0
wait_for "the watcher's view of the match begun" watching

focus_window "$PLAYER_WINDOW" 480 270
xdotool keydown d
wait_for "the player's walk to the right in the watcher's window" green_right_in_watcher
xdotool keyup d

kill -TERM "$SERVER_PID"
wait "$SERVER_PID" || fail "the server exited with $?: $(cat "$WORK/server.err")"
grep -Eq '^\S+ join ANNA$' "$WORK/server.out" || fail "the server's log: $(cat "$WORK/server.out")"
echo PASS

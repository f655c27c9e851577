#!/usr/bin/env bash
# Two friends on one network, from the menu only: one types a name and
# hosts on NETWORK; the other opens NETWORK, finds that game in its list (a
# finder sees it under the typed name), joins it with a click, and both
# lobbies list both players by name. They play, leave, and the joiner's
# REPLAYS lists the match, plays it, and seeks on a click on the bar.
# It runs in a network namespace of its own with only the loopback, so that
# the network screens' broadcasts reach nothing outside it.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

SHIPPED=$GAME_DIR
grey_arena 1
settings bots=1 display=windowed
# The joiner: settings (green clothes), replays and a game folder of its own.
JOINER=$WORK/joiner
mkdir -p "$JOINER/game/zkm"
ln -s "$SHIPPED/png" "$JOINER/game/png"
ln -s "$SHIPPED/wav" "$JOINER/game/wav"
cp "$SHIPPED/zkm/bastion.zkm" "$JOINER/game/zkm/"
XDG_CONFIG_HOME=$JOINER/config settings name=BERT shirt=2 pants=2 display=windowed

# Two 960 x 540 windows, the joiner's at x 960: logical (X, Y) is at
# (X / 2, Y / 2) in the host's and (960 + X / 2, Y / 2) in the joiner's.
J=960
is_white() { [ "$1" -ge 230 ] && [ "$2" -ge 230 ] && [ "$3" -ge 230 ]; }
white_in() { [ "$(count_pixels "$1" 'r > 230 && g > 230 && b > 230')" -ge "$2" ]; }
# The network screen's JOIN button outline, at logical (352..520, 452).
on_network_screen() { shows $(( $1 + 200 )) 226 is_white; }
# The first game found: a white line at logical y 805 from x 360.
game_listed() { white_in 400x16+$(( J + 180 ))+402 40; }
# A lobby row's shirt swatch (logical x 870..909, rows 50 apart from y 300)
# and its name (logical x 990 on).
row_shirt() { shows $(( $1 + 445 )) $(( 160 + 25 * ($2 - 1) )) "$3"; }
row_named() { white_in 150x14+$(( $1 + 495 ))+$(( 153 + 25 * ($2 - 1) )) 15; }
both_lobbies_full() {
  for left in 0 $J; do row_named $left 1 && row_named $left 2 || return 1; done
  row_shirt 0 2 is_green
}
is_green() { [ "$2" -ge 100 ] && [ "$1" -le 40 ] && [ "$3" -le 40 ]; }
both_huds() { shows 200 22 is_red_bar && shows $(( J + 200 )) 22 is_red_bar; }
menu_shown() { shows $(( $1 + 3 )) 538 is_dark_red; }
replay_row_listed() { white_in 500x20+$(( J + 80 ))+112 50; }
replay_shown() { white_in 350x30+$(( J + 305 ))+57 50; }
bar_played_to() { shows $(( J + $1 - 4 )) 530 is_red_bar && ! shows $(( J + $1 + 4 )) 530 is_red_bar; }

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null --no-multisampling --seed 1
window_of "$GAME_PID"
HOST_WINDOW=$WINDOW
wait_for "the host's menu" menu_shown 0
GAME_DIR=$JOINER/game start_second_game XDG_CONFIG_HOME="$JOINER/config" XDG_DATA_HOME="$JOINER/data" \
  ALSOFT_DRIVERS=null --no-multisampling
window_of "$SECOND_PID"
JOINER_WINDOW=$WINDOW
xdotool windowmove --sync "$JOINER_WINDOW" "$J" 0
wait_for "the joiner's menu" menu_shown $J

# The host: NETWORK, a name typed, HOST.
focus_window "$HOST_WINDOW" 480 270
press 440 382
wait_for "the host's network screen" on_network_screen 0
press 350 135
for i in $(seq 20); do tap BackSpace; done
xdotool type --delay 30 "ANNA"
tap Return
press 210 187
wait_for "the host's lobby" row_shirt 0 1 is_red_bar
"$SIM" --find 2 >"$WORK/found.out" 2>/dev/null || fail "zk3-sim --find failed"
grep -q " name ANNA map grey.zkm players 1/11 state lobby " "$WORK/found.out" ||
  fail "the finder saw: $(cat "$WORK/found.out")"

# The joiner: NETWORK, the game in the list, a click on it.
focus_window "$JOINER_WINDOW" $(( J + 480 )) 270
press $(( J + 440 )) 382
wait_for "the joiner's network screen" on_network_screen $J
wait_for "the host's game in the joiner's list" game_listed
press $(( J + 300 )) 407
wait_for "both players by name in both lobbies" both_lobbies_full

# The match, then each leaves through its network screen for its menu.
focus_window "$HOST_WINDOW" 480 270
tap Return
wait_for "the HUD in both windows" both_huds
focus_window "$JOINER_WINDOW" $(( J + 480 )) 270
tap Escape
wait_for "the joiner's network screen again" on_network_screen $J
tap Escape
wait_for "the joiner's menu again" menu_shown $J
focus_window "$HOST_WINDOW" 480 270
tap Escape
wait_for "the host's network screen again" on_network_screen 0
tap Escape
wait_for "the host's menu again" menu_shown 0

# The joiner's REPLAYS: the match listed, played, and seeked on the bar.
focus_window "$JOINER_WINDOW" $(( J + 480 )) 270
press $(( J + 518 )) 382
wait_for "the match in the joiner's replays" replay_row_listed
press $(( J + 300 )) 122
wait_for "the replay playing" replay_shown
tap space
xdotool mousemove $(( J + 480 )) 300
press $(( J + 850 )) 530
wait_for "the bar played to the click near its end" bar_played_to 850
press $(( J + 150 )) 530
wait_for "the bar played back to the click near its start" bar_played_to 150
tap Escape
wait_for "the replays screen again" replay_row_listed
tap Escape
wait_for "the joiner's menu at last" menu_shown $J
press $(( J + 480 )) 345
expect_exit 10 SECOND_PID
focus_window "$HOST_WINDOW" 480 270
press 480 345
expect_exit 10
echo PASS

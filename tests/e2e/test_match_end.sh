#!/usr/bin/env bash
# A match to one kill between two games in windows side by side: the host,
# given the limit on its command line, takes its bots away with its lobby's
# arrows, takes the machine gun and shoots the joiner, who stands still
# where both enter.
# Both windows show the host's name as the winner's over the final
# scoreboard, then both are back in the host's lobby with both players,
# where the host starts the next match.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

SHIPPED=$GAME_DIR
grey_arena 1
settings name=ANNABELLE bots=3 display=windowed
PORT=27960
JOINER=$WORK/joiner
mkdir -p "$JOINER/game/zkm"
ln -s "$SHIPPED/png" "$JOINER/game/png"
ln -s "$SHIPPED/wav" "$JOINER/game/wav"
XDG_CONFIG_HOME=$JOINER/config settings name=BO shirt=2 pants=2 display=windowed

# Two 960 x 540 windows, the joiner's at x 960: logical (X, Y) is at
# (X / 2, Y / 2) in the host's and (960 + X / 2, Y / 2) in the joiner's.
J=960
row_shirt() { shows $(( $1 + 445 )) $(( 160 + 25 * ($2 - 1) )) "$3"; }
is_green() { [ "$2" -ge 100 ] && [ "$1" -le 40 ] && [ "$3" -le 40 ]; }
both_lobbies_full() {
  for left in 0 $J; do row_shirt $left 1 is_red_bar && row_shirt $left 2 is_green || return 1; done
}
both_huds() { shows 200 22 is_red_bar && shows $(( J + 200 )) 22 is_red_bar; }
# The title's yellow, centred at logical y 150..181: "ANNABELLE WINS" starts
# at logical x 834, "BO WINS" at 897 and "DRAW" at 924, so only the host's
# name puts yellow in logical x 834..880.
yellow_in() { [ "$(count_pixels "$1" 'r > 220 && g > 180 && g < 240 && b < 110')" -ge "$2" ]; }
host_wins_in() { yellow_in 23x16+$(( $1 + 417 ))+75 10; }
both_show_the_winner() { host_wins_in 0 && host_wins_in $J; }

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null --no-multisampling --seed 1 --host "$PORT" --score-limit 1
window_of "$GAME_PID"
HOST_WINDOW=$WINDOW
wait_for "the host in its lobby" row_shirt 0 1 is_red_bar
GAME_DIR=$JOINER/game start_second_game XDG_CONFIG_HOME="$JOINER/config" XDG_DATA_HOME="$JOINER/data" \
  ALSOFT_DRIVERS=null --no-multisampling --join "127.0.0.1:$PORT"
window_of "$SECOND_PID"
JOINER_WINDOW=$WINDOW
xdotool windowmove --sync "$JOINER_WINDOW" "$J" 0
wait_for "both players in both lobbies" both_lobbies_full

# The host's arrows: down to BOTS, and left to none.
focus_window "$HOST_WINDOW" 480 270
tap Down
for i in 1 2 3; do tap Left; done
tap Return
wait_for "the match in both windows" both_huds
# A walk to the left, away from the joiner, until the host's red shirt
# stands left of logical x 880; then shot after shot of the pistol, aimed
# right at chest height, until the end shows.
host_walked_left() { [ "$(count_pixels 60x20+380+478 'r > 150 && g < 60 && b < 60')" -ge 20 ]; }
xdotool keydown a
wait_for "the host's walk away from the joiner" host_walked_left
xdotool keyup a
shot_and_won() { press 750 491 && both_show_the_winner; }
wait_for "the host's name as the winner's in both windows" shot_and_won
wait_for "both back in the host's lobby" both_lobbies_full
tap Return
wait_for "the next match in both windows" both_huds

focus_window "$JOINER_WINDOW" $(( J + 480 )) 270
tap Escape
wait_for_pixel $(( J + 3 )) 538 is_dark_red
focus_window "$HOST_WINDOW" 480 270
tap Escape
wait_for_pixel 3 538 is_dark_red
press $(( J + 480 )) 345
expect_exit 10 SECOND_PID
press 480 345
expect_exit 10
echo PASS

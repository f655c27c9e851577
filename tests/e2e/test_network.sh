#!/usr/bin/env bash
# Network play between two games in windows side by side: the host's lobby
# shows the joiner in its own colours, Enter starts the match on the host's
# map (the joiner has only another map), both windows show the match with
# their own HUD, and the joiner's walk shows on the host's screen. Each
# leaves with Escape for its menu, and each keeps a replay of the match that
# plays through every checkpoint.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

SHIPPED=$GAME_DIR
grey_arena 1
# The host's pants are dark, so that on the arena only the joiner's legs are
# blue: no name tag (drawn in a shirt's colour) nor the entry cloud's white
# shows that. The bot's clothes follow from the seed (and are not blue).
settings bots=1 display=windowed pants=4
PORT=27960

# The joiner: settings (green shirt, blue pants), replays and a game folder
# of its own, with bastion as its only map.
JOINER=$WORK/joiner
mkdir -p "$JOINER/game/zkm"
ln -s "$SHIPPED/png" "$JOINER/game/png"
ln -s "$SHIPPED/wav" "$JOINER/game/wav"
cp "$SHIPPED/zkm/bastion.zkm" "$JOINER/game/zkm/"
XDG_CONFIG_HOME=$JOINER/config settings name=BERT shirt=2 pants=3 display=windowed

# Each window is 960 x 540, the logical screen at half its size: the host's
# at (0, 0), the joiner's moved to (960, 0). A logical point (X, Y) is at
# (X / 2, Y / 2) in the host's and (960 + X / 2, Y / 2) in the joiner's.
JOINER_LEFT=960

is_green() { [ "$2" -ge 100 ] && [ "$1" -le 40 ] && [ "$3" -le 40 ]; }
is_not_green() { ! is_green "$@"; }
# The shirt swatch of the lobby's row 1 and row 2 (logical x 870..909,
# rows 50 apart from y 300), one window's x offset given.
row_1_shirt() { shows $(( $1 + 445 )) 160 "$2"; }
row_2_shirt() { shows $(( $1 + 445 )) 185 "$2"; }
# The grey arena's air: 0.3 grey.
is_arena_grey() { [ "$1" -ge 70 ] && [ "$1" -le 82 ] && [ "$2" -eq "$1" ] && [ "$3" -eq "$1" ]; }
# legs_in CROP N: at least N pixels of the joiner's legs, pure blue only out
# of the entry cloud, in CROP. In the host's window, below the HUD: the arena
# up to the spawn point's right (logical x < 1060) and right of it.
legs_in() { [ "$(count_pixels "$1" 'b >= 100 && r <= 40 && g <= 40')" -ge "$2" ]; }
HOST_SPAWN=530x470+0+55
HOST_AWAY=430x470+530+55
both_huds() { shows 200 22 is_red_bar && shows $(( JOINER_LEFT + 200 )) 22 is_red_bar; }

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null --no-multisampling --seed 1 --host "$PORT"
window_of "$GAME_PID"
HOST_WINDOW=$WINDOW
wait_for "the host in its lobby" row_1_shirt 0 is_red_bar
row_2_shirt 0 is_not_green || fail "a second player in the lobby before anyone joined"

GAME_DIR=$JOINER/game start_second_game XDG_CONFIG_HOME="$JOINER/config" XDG_DATA_HOME="$JOINER/data" \
  ALSOFT_DRIVERS=null --no-multisampling --join "127.0.0.1:$PORT"
window_of "$SECOND_PID"
JOINER_WINDOW=$WINDOW
xdotool windowmove --sync "$JOINER_WINDOW" "$JOINER_LEFT" 0
wait_for "the joiner's green in the host's lobby" row_2_shirt 0 is_green
wait_for "the same lobby in the joiner's window" row_2_shirt "$JOINER_LEFT" is_green
row_1_shirt "$JOINER_LEFT" is_red_bar || fail "the joiner's lobby lacks the host: $(pixel 1405 160)"

# Enter on the host starts the match; each window shows the grey arena
# (the joiner's only map is another) and, once its fighter enters, its HUD.
focus_window "$HOST_WINDOW" 480 270
tap Return
wait_for "the HUD in both windows" both_huds
shows $(( JOINER_LEFT + 480 )) 150 is_arena_grey ||
  fail "the joiner does not show the grey arena: $(pixel 1440 150)"
wait_for "the joiner through its entry cloud in the host's window" legs_in "$HOST_SPAWN" 40
legs_in "$HOST_AWAY" 1 && fail "the joiner is away from the spawn point before any key"

# D held in the joiner's window walks its fighter right, on the host's screen too.
focus_window "$JOINER_WINDOW" $(( JOINER_LEFT + 480 )) 270
xdotool keydown d
wait_for "the joiner's fighter walking right on the host's screen" legs_in "$HOST_AWAY" 30
xdotool keyup d

# Escape leaves: the joiner for its menu while the host plays on, then the host.
tap Escape
wait_for_pixel $(( JOINER_LEFT + 3 )) 538 is_dark_red
focus_window "$HOST_WINDOW" 480 270
shows 480 150 is_arena_grey || fail "the host's match ended when the joiner left"
tap Escape
wait_for_pixel 3 538 is_dark_red

press $(( JOINER_LEFT + 480 )) 345
expect_exit 10 SECOND_PID
press 480 345
expect_exit 10

for replays in "$XDG_DATA_HOME" "$JOINER/data"; do
  found=("$replays"/zk3/replays/*_grey.zkr)
  [ ${#found[@]} -eq 1 ] && [ -f "${found[0]}" ] || fail "expected one replay in $replays, found: ${found[*]}"
  out=$("$SIM" --replay "${found[0]}") || fail "zk3-sim --replay exited with $? for ${found[0]}: $out"
  [[ $out =~ ^replay\ ticks\ [1-9][0-9]*\ checkpoints\ [1-9][0-9]*\ hash\ [0-9a-f]{16}$ ]] ||
    fail "zk3-sim printed: $out"
done
echo PASS

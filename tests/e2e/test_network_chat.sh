#!/usr/bin/env bash
# Chat between two games in windows side by side. In the lobby the joiner
# opens a line with Enter and says it: the host's window shows it, the name
# in the joiner's green shirt. In the match the joiner opens a line with T
# and types while D is held, and the line shows on the host's screen while
# the joiner's fighter has not moved; the host's T line shows in the
# joiner's window. Escape drops an open line and leaves only after that.
# It runs in a network namespace of its own with only the loopback.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

SHIPPED=$GAME_DIR
grey_arena 1
# Only the joiner wears blue: its legs, which neither a name tag (drawn in
# a shirt's colour) nor anything else on the arena can show, tell where its
# fighter stands. The bot's clothes follow from the seed (and are not blue).
settings bots=1 display=windowed name=ANNA pants=4
PORT=27960

JOINER=$WORK/joiner
mkdir -p "$JOINER/game/zkm"
ln -s "$SHIPPED/png" "$JOINER/game/png"
ln -s "$SHIPPED/wav" "$JOINER/game/wav"
cp "$SHIPPED/zkm/bastion.zkm" "$JOINER/game/zkm/"
XDG_CONFIG_HOME=$JOINER/config settings shirt=2 pants=3 display=windowed name=BERT

# Each window is 960 x 540, the logical screen at half its size: the host's
# at (0, 0), the joiner's at (960, 0).
J=960
is_green() { [ "$2" -ge 100 ] && [ "$1" -le 40 ] && [ "$3" -le 40 ]; }
row_2_shirt() { shows $(( $1 + 445 )) 185 "$2"; }
both_huds() { shows 200 22 is_red_bar && shows $(( J + 200 )) 22 is_red_bar; }
# The joiner's name's green in a chat line.
green_in() { [ "$(count_pixels "$1" 'g >= 60 && r <= 30 && b <= 30')" -ge "$2" ]; }
white_in() { [ "$(count_pixels "$1" 'r > 200 && g > 200 && b > 200')" -ge "$2" ]; }
red_in() { [ "$(count_pixels "$1" 'r > 150 && g < 40 && b < 40')" -ge "$2" ]; }
yellow_in() { [ "$(count_pixels "$1" 'r > 200 && g > 170 && b < 120')" -ge "$2" ]; }
# The newest chat line, 21 units high from logical y 994, starts at x 40
# with the name; a window's x offset given. 12 units a character.
line_name() { echo "24x10+$(( $1 + 20 ))+497"; }
line_text_from() { echo "$3x10+$(( $1 + 20 + 6 * $2 ))+497"; }
# The line being typed: "SAY: " in yellow from logical (40, 1030), the text after it.
typed_prompt() { echo "28x10+$(( $1 + 20 ))+515"; }
typed_text_from() { echo "$3x10+$(( $1 + 50 + 6 * $2 ))+515"; }
# The arena in the host's window below the HUD and right of the chat's
# short lines. The joiner's legs are pure blue there only out of the entry
# cloud, whose white veils them.
ARENA=760x470+200+55
legs='b >= 100 && r <= 40 && g <= 40'
# legs_box: where in the arena the joiner's legs are, "left right top
# bottom count".
legs_box() {
  pixels "$ARENA" | awk -v width=760 '{ x = (NR - 1) % width; y = int((NR - 1) / width); r = $1; g = $2; b = $3 }
    '"$legs"' {
      if (!n || x < l) l = x; if (!n || x > r_) r_ = x; if (!n || y < t) t = y; if (!n || y > b_) b_ = y; n++ }
    END { print l + 0, r_ + 0, t + 0, b_ + 0, n + 0 }'
}
# The joiner's fighter stands on the floor (its legs end within 12 pixels
# of the floor's top, at 465 in the arena), out of its cloud (most of its
# legs pure blue), still: where they were in the last three screenshots.
standing_still() {
  local now bottom count
  now=$(legs_box)
  read -r _ _ _ bottom count <<<"$now"
  BEFORE_LAST=${LAST:-}
  LAST=${NOW_BOX:-}
  NOW_BOX=$now
  [ "$count" -ge 40 ] && [ "$bottom" -ge 453 ] && [ "$now" = "$LAST" ] && [ "$now" = "$BEFORE_LAST" ]
}
# Legs more than 6 pixels outside the box "left right top bottom".
legs_moved_from() {
  [ "$(count_pixels "$ARENA" "$legs && (x < $1 - 6 || x > $2 + 6 || y < $3 - 6 || y > $4 + 6)")" -gt 0 ]
}
is_arena_grey() { [ "$1" -ge 70 ] && [ "$1" -le 82 ] && [ "$2" -eq "$1" ] && [ "$3" -eq "$1" ]; }

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null --no-multisampling --seed 1 --host "$PORT"
window_of "$GAME_PID"
HOST_WINDOW=$WINDOW
GAME_DIR=$JOINER/game start_second_game XDG_CONFIG_HOME="$JOINER/config" XDG_DATA_HOME="$JOINER/data" \
  ALSOFT_DRIVERS=null --no-multisampling --join "127.0.0.1:$PORT"
window_of "$SECOND_PID"
JOINER_WINDOW=$WINDOW
xdotool windowmove --sync "$JOINER_WINDOW" "$J" 0
wait_for "the joiner in the host's lobby" row_2_shirt 0 is_green
wait_for "the joiner's own lobby" row_2_shirt $J is_green
green_in "$(line_name 0)" 1 && fail "a chat line in the host's lobby before anyone spoke"

# The lobby: Enter opens the joiner's line; what it types and sends with
# Enter shows in both windows as "BERT: HELLO HOST".
focus_window "$JOINER_WINDOW" $(( J + 480 )) 270
tap Return
xdotool type --delay 40 "HELLO HOST"
wait_for "the typed line in the joiner's window" white_in "$(typed_text_from $J 6 24)" 20
tap Return
wait_for "the joiner's line in the host's lobby, its name in green" green_in "$(line_name 0)" 15
white_in "$(line_text_from 0 6 48)" 20 || fail "the host's lobby shows the name without the text"
wait_for "the joiner's line back in its own lobby" green_in "$(line_name $J)" 15
yellow_in "$(typed_prompt $J)" 5 && fail "the joiner's line is still open after Enter"

# The match: T opens the joiner's line; D held and the keys typed meanwhile
# (W among them, a jump) go into the line, not to the fighter, which stands
# where it stood on the host's screen.
focus_window "$HOST_WINDOW" 480 270
tap Return
wait_for "the HUD in both windows" both_huds
wait_for "the joiner out of its cloud, standing still on the host's screen" standing_still
read -r LEFT RIGHT TOP BOTTOM COUNT <<<"$(legs_box)"
focus_window "$JOINER_WINDOW" $(( J + 480 )) 270
tap t
xdotool keydown d
xdotool type --delay 40 " while the key is held"
wait_for "the joiner's line typed while D is held" white_in "$(typed_text_from $J 10 30)" 15
xdotool keyup d
tap Return
wait_for "the joiner's line on the host's screen" white_in "$(line_text_from 0 12 60)" 15
legs_moved_from "$LEFT" "$RIGHT" "$TOP" "$BOTTOM" && fail "the joiner's fighter moved while its line was open"
read -r _ _ _ _ NOW <<<"$(legs_box)"
[ "$NOW" -ge $(( COUNT / 2 )) ] || fail "the joiner's fighter left the host's sight while its line was open"

# The host's T: its line shows in the joiner's window under the joiner's,
# the name in the host's red shirt.
focus_window "$HOST_WINDOW" 480 270
tap t
xdotool type --delay 40 "GOOD GAME"
tap Return
wait_for "the host's line in the joiner's window" red_in "$(line_name $J)" 15
white_in "$(line_text_from $J 6 48)" 20 || fail "the joiner's window shows the host's name without the text"

# Escape drops an open line and stays in the match; the next leaves it.
focus_window "$JOINER_WINDOW" $(( J + 480 )) 270
tap t
wait_for "the joiner's line open again" yellow_in "$(typed_prompt $J)" 5
tap Escape
wait_for "the joiner's line dropped" eval '! yellow_in "$(typed_prompt $J)" 5'
shows $(( J + 480 )) 150 is_arena_grey || fail "Escape on an open line left the match"
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

#!/usr/bin/env bash
# The scoreboard in the real program: held Tab over the menu's match shows a
# dark table with the heading and a line for each of the three fighters;
# letting go of Tab takes it away.
source "$(dirname "$0")/lib.sh"

grey_arena 1
settings bots=2

# The table's backing, left of the names, where no text stands.
is_board() { [ "$1" -le 60 ] && [ "$2" -le 60 ] && [ "$3" -le 60 ]; }
is_not_board() { ! is_board "$@"; }
# has_text Y: the name column's line at Y (30 units high) holds text or a
# light backing, not only the table's dark.
has_text() {
  [ "$(count_pixels "360x30+640+$1" '$1 + $2 + $3 > 150')" -gt 0 ]
}

start_xvfb 1920x1080
start_at_menu --no-multisampling --seed 1
press 960 390

wait_for_pixel 400 45 is_red_bar
shows 600 300 is_not_board || fail "a scoreboard before Tab: $(pixel 600 300)"
xdotool mousemove 1800 1000 keydown Tab  # the cross-hair away from the table
wait_for_pixel 600 300 is_board
[ -z "${KEEP_SHOT:-}" ] || convert "$SHOT" "$KEEP_SHOT"
# The heading at y 230, then a row every 40 units; the table ends at 400.
for y in 225 265 305 345; do
  has_text "$y" || fail "no text in the table's line at $y"
done
[ "$(count_pixels 360x12+640+386 '$1 + $2 + $3 > 150')" -eq 0 ] || fail "a fourth fighter's row"
xdotool keyup Tab
wait_for_pixel 600 300 is_not_board

tap Escape
wait_for_pixel 5 1077 is_dark_red
quit_from_menu
echo PASS

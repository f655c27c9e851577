#!/usr/bin/env bash
# The replays screen from the menu: a seeded match's replay is listed on
# REPLAYS, a click on its row plays it, and, paused, a click on the bar
# seeks: the bar's red part then ends where the click was, forward and back.
# Escape goes back to the list, and Escape again to the menu.
source "$(dirname "$0")/lib.sh"

grey_arena 3
settings bots=1

# The list's first row: white lettering of its date and map.
first_row_listed() {
  [ "$(count_pixels 1000x40+160+225 'r > 230 && g > 230 && b > 230')" -ge 100 ]
}
# The list's title, with no row under it.
list_shown() {
  [ "$(count_pixels 400x40+760+95 'r > 230 && g > 230 && b > 230')" -ge 100 ]
}
bar_played_to() {  # X: red up to just before X, not just after it
  shows $(( $1 - 8 )) 1060 is_red_bar && ! shows $(( $1 + 8 )) 1060 is_red_bar
}

start_xvfb 1920x1080
start_at_menu --no-multisampling --seed 1
shoot_the_walking_bot
xdotool mouseup 1
tap Escape
wait_for_pixel 5 1077 is_dark_red

press 1036 765
wait_for "the replays screen" list_shown
wait_for "the replay's row" first_row_listed
press 600 245
wait_for "the REPLAY banner" replay_banner
tap space
xdotool mousemove 960 600
press 1700 1060
wait_for "the bar played to the click near its end" bar_played_to 1700
press 300 1060
wait_for "the bar played back to the click near its start" bar_played_to 300

tap Escape
wait_for "the replays screen again" first_row_listed
tap Escape
wait_for_pixel 5 1077 is_dark_red
quit_from_menu
echo PASS

#!/usr/bin/env bash
# How the human died, seen again in the menu's match: on an arena without a
# floor the human falls out of the map, F shows "REPLAY", Escape goes back
# to the match (not to the menu), and the offer stands again; a second
# Escape leaves.
source "$(dirname "$0")/lib.sh"

grey_arena 1
# The same arena with its floor taken away.
sed -i '$s/010000/000000/g' "$GAME_DIR/zkm/grey.zkm"
settings bots=1

# White lettering: the banner at the top, the offer below the weapon panel.
white_in() { [ "$(count_pixels "$1" 'r > 230 && g > 230 && b > 230')" -ge 100 ]; }
replay_banner() { white_in 700x60+610+115; }
offer() { white_in 700x40+610+700; }
no_banner() { ! replay_banner; }
no_offer() { ! offer; }

start_xvfb 1920x1080
start_at_menu --no-multisampling --seed 1
press 960 390
# The menu's items stand where the offer will.
wait_for "the match" no_offer
wait_for "the offer after the fall" offer
tap f
wait_for "the REPLAY banner" replay_banner
tap Escape
wait_for "the match again" no_banner
wait_for "the offer again" offer
tap Escape
wait_for_pixel 5 1077 is_dark_red
quit_from_menu
echo PASS

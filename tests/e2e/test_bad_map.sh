#!/usr/bin/env bash
# A map file that cannot be played never starts a match: the reason shows on
# screen and on standard error, a key goes back to the menu, and quit works.
source "$(dirname "$0")/lib.sh"

own_game_folder
printf '1920 1080\n0 0 0\n0 0 0\n0\n0\n' >"$GAME_DIR/zkm/broken.zkm"

# light_pixels: how many light pixels the screen shows (the notice's text).
light_pixels() {
  convert "$SHOT" -colorspace Gray -threshold 80% -format '%[fx:round(mean*w*h)]' info:
}
# The menu's play item stands out from the backdrop beside it.
menu_shown() { [ "$(pixel 960 392)" != "$(pixel 700 392)" ]; }
notice_shown() { ! menu_shown && [ "$(light_pixels)" -gt 500 ]; }

start_xvfb 1920x1080
start_at_menu --no-multisampling
press 960 390
wait_for "the notice" notice_shown
grep -q "broken.zkm" "$WORK/game.err" || fail "standard error does not name the map"

tap space
wait_for "the menu after a key" menu_shown
quit_from_menu
echo PASS

#!/usr/bin/env bash
# A map file that cannot be played never starts a match: the reason shows on
# screen and on standard error, a key goes back to the menu, and quit works.
source "$(dirname "$0")/lib.sh"

folder="$WORK/game"
mkdir -p "$folder/zkm"
ln -s "$GAME_DIR/png" "$folder/png"
ln -s "$GAME_DIR/wav" "$folder/wav"
printf '1920 1080\n0 0 0\n0 0 0\n0\n0\n' >"$folder/zkm/broken.zkm"
GAME_DIR="$folder"

# white_pixels: how many light pixels the screen shows (the notice's text).
white_pixels() {
  convert "$WORK/shot.png" -colorspace Gray -threshold 80% -format '%[fx:round(mean*w*h)]' info:
}

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null
wait_for_window
wait_for_pixel 5 1077 is_dark_red
screenshot
menu_light=$(white_pixels)
press 960 390
sleep 1
screenshot
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on a bad map"
grep -q "broken.zkm" "$WORK/game.err" || fail "standard error does not name the map"
[ "$(pixel 960 392)" = "$(pixel 700 392)" ] || fail "the menu is still showing"
notice_light=$(white_pixels)
[ "$notice_light" -gt 500 ] || fail "no message on screen ($notice_light light pixels)"
[ "$notice_light" -ne "$menu_light" ] || fail "the screen did not change"

tap space
sleep 0.5
screenshot
[ "$(pixel 960 392)" != "$(pixel 700 392)" ] || fail "a key did not bring the menu back"
press 960 690
expect_exit 5
echo PASS

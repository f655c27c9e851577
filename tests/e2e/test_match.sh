#!/usr/bin/env bash
# A match in the real program: play from the menu, wait for the human to
# enter, walk and jump with D and W, see the fighters and the HUD bars, leave
# with Escape and quit from the menu.
source "$(dirname "$0")/lib.sh"

grey_arena

# fighter_pixels: how many pixels below the HUD are coloured: in the grey
# arena only the fighters' hair, skin, shirts, pants and guns are.
fighter_pixels() {
  convert "$WORK/shot.png" -crop 1920x940+0+110 +repage -colorspace HSL \
    -channel G -separate +channel -threshold 45% -format '%[fx:round(mean*w*h)]' info:
}

is_red_bar() { [ "$1" -ge 150 ] && [ "$2" -le 60 ] && [ "$3" -le 60 ]; }
is_yellow_bar() { [ "$1" -ge 150 ] && [ "$2" -ge 150 ] && [ "$3" -le 60 ]; }
is_green_bar() { [ "$1" -le 60 ] && [ "$2" -ge 150 ] && [ "$3" -le 60 ]; }

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null
wait_for_window
wait_for_pixel 5 1077 is_dark_red
press 960 390

# The fighters wait five seconds before they enter; then the health bar shows.
# Each enters in a white cloud that hides it for a second or so.
wait_for_pixel 400 45 is_red_bar
sleep 1.5
screenshot
is_yellow_bar $(pixel 1000 45) || fail "no full magazine bar: $(pixel 1000 45)"
is_green_bar $(pixel 1600 45) || fail "no full energy bar: $(pixel 1600 45)"
before=$(fighter_pixels)
[ "$before" -gt 200 ] || fail "no fighters on screen ($before coloured pixels)"
cp "$WORK/shot.png" "$WORK/before.png"

xdotool keydown d keydown w sleep 1.0 keyup w keyup d
screenshot
[ "$(fighter_pixels)" -gt 200 ] || fail "the fighters vanished after walking"
difference=$(compare -metric AE "$WORK/before.png" "$WORK/shot.png" null: 2>&1 || true)
[ "${difference%% *}" -gt 100 ] || fail "nothing moved while D and W were held"

tap Escape
wait_for_pixel 5 1077 is_dark_red
press 960 690
expect_exit 5
echo PASS

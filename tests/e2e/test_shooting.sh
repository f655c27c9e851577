#!/usr/bin/env bash
# Shooting in the real program: two matches, one with the machine gun and one
# with the minigun, each fighter in a room of its own so only the human fires. Holding the left button draws bullet streaks across the
# sky and leaves casings on the floor; the game stays up and Escape returns
# to the menu each time.
source "$(dirname "$0")/lib.sh"

grey_arena rooms

# count_pixels CROP FX: how many pixels of the last screenshot's CROP pass FX.
count_pixels() {
  convert "$WORK/shot.png" -crop "$1" +repage -fx "$2" -format '%[fx:round(mean*w*h)]' info:
}
# Near-white pixels below the HUD: bullet streaks and muzzle flashes.
light_pixels() { count_pixels 1920x940+0+110 'r>0.8 && g>0.8 && b>0.8 ? 1 : 0'; }
# Brass pixels in the band above the floor: cartridge cases and shell heads.
brass_pixels() { count_pixels 1920x45+0+1000 'r>0.5 && g>0.3 && b<0.4 && r-b>0.3 && g-b>0.15 ? 1 : 0'; }

is_red_bar() { [ "$1" -ge 150 ] && [ "$2" -le 60 ] && [ "$3" -le 60 ]; }

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null
wait_for_window
wait_for_pixel 5 1077 is_dark_red

# The minigun spins up for a second before its first shot. Where a casing
# lands depends on the room the human enters, so one gun's casings on the
# floor are enough; their flight is tested headless.
casings_seen=0
casings_report=""
for gun in 2 4; do
  spin_up=0
  [ "$gun" -eq 4 ] && spin_up=1
  press 960 390
  # The weapon offer opens 1.5 s into the five-second wait before entry.
  sleep 2.5
  tap "$gun"
  wait_for_pixel 400 45 is_red_bar
  # Aim steeply up, over the room's walls, so that every bullet flies to the
  # map's edge.
  xdotool mousemove 960 130
  # The white cloud the human entered in clears within 1.3 s.
  sleep 1.5
  screenshot
  light_before=$(light_pixels)
  brass_before=$(brass_pixels)

  xdotool mousedown 1
  sleep $((spin_up)).5
  screenshot
  light_firing=$(light_pixels)
  cp "$WORK/shot.png" "$WORK/firing_$gun.png"
  sleep 1.2
  xdotool mouseup 1
  [ "$light_firing" -gt $((light_before + 20)) ] ||
    fail "gun $gun: no streaks while firing ($light_before, then $light_firing light pixels)"

  sleep 1
  screenshot
  brass_after=$(brass_pixels)
  [ "$brass_after" -gt $((brass_before + 10)) ] && casings_seen=$((casings_seen + 1))
  casings_report="$casings_report gun $gun: $brass_before then $brass_after;"
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while shooting"

  tap Escape
  wait_for_pixel 5 1077 is_dark_red
done

[ "$casings_seen" -ge 1 ] || fail "no casings on the floor (brass pixels:$casings_report)"

press 960 690
expect_exit 5
echo PASS

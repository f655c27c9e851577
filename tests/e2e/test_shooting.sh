#!/usr/bin/env bash
# Shooting in the real program: two matches, one with the machine gun and
# one with the minigun, in an arena where the human and a bot enter at the
# same spot, too close for the bot to fire. Holding the left button draws
# bullet streaks across the sky and leaves casings on the floor; Escape
# returns to the menu each time.
source "$(dirname "$0")/lib.sh"

grey_arena 1
settings bots=1

# Near-white pixels in the sky the bullets cross: streaks and flashes.
streaks() { count_pixels 250x500+1000+150 'r > 204 && g > 204 && b > 204'; }
# Brass pixels on the floor's top, away from the fighters' feet (x 880..999):
# cartridge cases and shell heads.
casings() {
  count_pixels 1920x20+0+1020 '(x < 880 || x >= 1000) && r > 127 && g > 76 && b < 102 && r - b > 76 && g - b > 38'
}
some() { [ "$("$1")" -ge "$2" ]; }

start_xvfb 1920x1080
start_at_menu --no-multisampling --seed 1

# The minigun spins up for a second before its first shot.
for gun in 2 4; do
  press 960 390
  wait_for_pixel 960 440 is_red_bar
  tap "$gun"
  wait_for_pixel 400 45 is_red_bar
  [ "$(streaks)" -eq 0 ] && [ "$(casings)" -eq 0 ] || fail "gun $gun: streaks or casings before any shot"
  # Steeply up, over the bot's head, so that every bullet flies to the map's edge.
  xdotool mousemove 1200 130 mousedown 1
  wait_for "gun $gun's bullet streaks" some streaks 20
  wait_for "gun $gun's casings on the floor" some casings 10
  xdotool mouseup 1
  tap Escape
  wait_for_pixel 5 1077 is_dark_red
done

quit_from_menu
echo PASS

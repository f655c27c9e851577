#!/usr/bin/env bash
# Hits land in the real program: one bot enters where the human does and
# walks right, into the human's machine gun fire at close range, and bleeds
# onto the floor; then the human fires at a pillar high above everyone's
# heads and chips it. Screenshots show the blood on the floor where nobody
# stands and the debris falling from the wall; Escape leaves. (Flesh flies
# too fast and too low for screenshots to catch it reliably; its tests are
# headless.)
source "$(dirname "$0")/lib.sh"

grey_arena 3 pillar
settings bots=1

# debris SPECKS: warm grey specks in the air left of the pillar, above the
# fighters' reach.
debris() {
  [ "$(count_pixels 185x500+1415+200 'r - b > 12 && r > 76 && r - g < 20')" -ge "$1" ]
}

start_xvfb 1920x1080
start_at_menu --no-multisampling --seed 1
shoot_the_walking_bot
xdotool mousemove 1590 450
wait_for "debris from the pillar" debris 12
xdotool mouseup 1

tap Escape
wait_for_pixel 5 1077 is_dark_red
quit_from_menu
echo PASS

#!/usr/bin/env bash
# The credits from the menu: the headline, the name fading in and out again
# while the headline stays, Escape back to the menu, and quit.
source "$(dirname "$0")/lib.sh"

# bright X Y W H TEST: the count of nearly white pixels (the credits' text
# on the dark red backdrop) in the region passes TEST.
bright() {
  "$5" "$(convert "$SHOT" -crop "$3x$4+$1+$2" +repage -colorspace gray -threshold 70% \
    -format '%[fx:round(mean*w*h)]' info:)"
}
some() { [ "$1" -gt 100 ]; }
none() { [ "$1" -eq 0 ]; }
# The menu's credits item stands out from the backdrop beside it.
menu_shown() { [ "$(pixel 960 617)" != "$(pixel 700 617)" ]; }

# Where the texts stand: the headline at (816, 50), the name at (852, 528).
HEADLINE="816 50 288 31"
NAME="852 528 216 31"

start_xvfb 1920x1080
start_at_menu --no-multisampling
press 960 615
wait_for "the headline" bright $HEADLINE some
wait_for "the name" bright $NAME some
wait_for "the name's fade-out" bright $NAME none
bright $HEADLINE some || fail "the headline went with the name"

tap Escape
wait_for "the menu after Escape" menu_shown
quit_from_menu
echo PASS

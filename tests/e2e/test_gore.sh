#!/usr/bin/env bash
# Hits land in the real program: the human fires the machine gun at a wall
# and chips it, and the bots fight until someone bleeds. Screenshots show
# debris falling from the wall and blood on the floor where nobody stands;
# the game stays up and Escape leaves. (Flesh flies too fast and too low
# for screenshots to catch it reliably; its tests are headless.)
source "$(dirname "$0")/lib.sh"

grey_arena pillar

# count FX CROP: how many pixels of the last screenshot's CROP pass FX.
count() {
  convert "$WORK/shot.png" -crop "$2" +repage -fx "$1" -format '%[fx:round(mean*w*h)]' info:
}
# Warm grey specks in the air left of the pillar, above the fighters' reach.
debris() { count 'r-b>0.05 && r>0.3 && r-g<0.08 ? 1 : 0' 185x500+1415+200; }
# Columns with blood lying on the floor and no fighter standing there.
blood_on_floor() {
  convert "$WORK/shot.png" \
    \( -clone 0 -crop 1600x40+0+995 +repage \
       -fx 'abs(r-g)>0.06 || abs(g-b)>0.06 || abs(r-b)>0.06 ? 1 : 0' -scale 1600x1! -fx 'u>0 ? 1 : 0' \) \
    \( -clone 0 -crop 1600x3+0+1037 +repage \
       -fx 'r>0.3 && g<0.05 && b<0.05 ? 1 : 0' -scale 1600x1! -fx 'u>0 ? 1 : 0' \) \
    -delete 0 -fx 'v*(1-u)' -format '%[fx:round(mean*w)]' info:
}

is_red_bar() { [ "$1" -ge 150 ] && [ "$2" -le 60 ] && [ "$3" -le 60 ]; }

start_xvfb 1920x1080
start_game ALSOFT_DRIVERS=null
wait_for_window
wait_for_pixel 5 1077 is_dark_red
press 960 390
sleep 2.5
tap 2
wait_for_pixel 400 45 is_red_bar

# At the pillar, high above everyone's heads.
xdotool mousemove 1590 450 sleep 0.2 mousedown 1
most_debris=0
for shot in 1 2 3 4; do
  sleep 0.4
  screenshot
  found=$(debris)
  [ "$found" -gt "$most_debris" ] && most_debris=$found
done
xdotool mouseup 1
[ "$most_debris" -ge 12 ] || fail "no debris from the wall ($most_debris specks)"

# The bots find each other and the human; a stain lies for 2.5 s, so look
# often, for up to a minute and a half (smoke from a grenade may hide the
# floor for a while).
most_blood=0
give_up=$((SECONDS + 90))
while [ "$SECONDS" -lt "$give_up" ]; do
  screenshot
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during the fight"
  blood=$(blood_on_floor)
  [ "$blood" -gt "$most_blood" ] && most_blood=$blood
  [ "$most_blood" -ge 5 ] && break
done
[ "$most_blood" -ge 5 ] || fail "no blood on the floor ($most_blood columns)"

tap Escape
wait_for_pixel 5 1077 is_dark_red
press 960 690
expect_exit 5
echo PASS

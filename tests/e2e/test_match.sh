#!/usr/bin/env bash
# A match in the real program: play from the menu, the human and a bot enter
# at the arena's one spawn point, the HUD bars show full, D and W take the
# human walking and jumping away from there, Escape leaves and quit ends.
source "$(dirname "$0")/lib.sh"

grey_arena 1
settings bots=1

# coloured CROP: how many pixels of CROP are coloured; in the grey arena
# only the fighters' hair, skin, clothes and guns are (and blood).
coloured() {
  convert "$SHOT" -crop "$1" +repage -colorspace HSL -channel G -separate +channel \
    -threshold 45% -format '%[fx:round(mean*w*h)]' info:
}
# Below the HUD, and the air right of the spawn point (x 920..959).
ARENA=1920x930+0+110
AWAY=860x790+1060+110
at_least() { [ "$(coloured "$1")" -ge "$2" ]; }

is_yellow_bar() { [ "$1" -ge 150 ] && [ "$2" -ge 150 ] && [ "$3" -le 60 ]; }
is_green_bar() { [ "$1" -le 60 ] && [ "$2" -ge 150 ] && [ "$3" -le 60 ]; }

start_xvfb 1920x1080
start_at_menu --no-multisampling --seed 1
press 960 390

# The fighters wait five seconds, then the health bar shows; each enters in
# a white cloud that hides it until the cloud thins.
wait_for_pixel 400 45 is_red_bar
wait_for "the fighters through their entry clouds" at_least "$ARENA" 200
shows 1000 45 is_yellow_bar || fail "no full magazine bar: $(pixel 1000 45)"
shows 1600 45 is_green_bar || fail "no full energy bar: $(pixel 1600 45)"
[ "$(coloured "$AWAY")" -eq 0 ] || fail "a fighter is away from the spawn point before any key"

xdotool keydown d keydown w
wait_for "the human in the air right of the spawn point" at_least "$AWAY" 100
xdotool keyup w keyup d

tap Escape
wait_for_pixel 5 1077 is_dark_red
quit_from_menu
echo PASS

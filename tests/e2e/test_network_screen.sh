#!/usr/bin/env bash
# The menu's NETWORK: the player types a name (keys as the layout makes
# them, a Backspace among them), and HOST opens the lobby on the port typed;
# the name and the port are kept in the settings, and Escape comes back
# through the network screen to the menu. It runs in a network namespace of
# its own with only the loopback, so that the screen's broadcasts looking
# for games reach nothing outside it.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

PORT=27960
SETTINGS="$XDG_CONFIG_HOME/zk3/settings.txt"
settings bots=1
kept() { grep -qx "$1" "$SETTINGS" 2>/dev/null; }
# The network screen's JOIN button outline, white, at logical (352..520, 452).
on_network_screen() { shows 400 452 is_white; }
off_network_screen() { ! on_network_screen; }
is_white() { [ "$1" -ge 240 ] && [ "$2" -ge 240 ] && [ "$3" -ge 240 ]; }
# The lobby's list: the host's shirt swatch, a red square at (870..910, 300).
in_lobby() { shows 890 320 is_red_bar; }

start_xvfb 1920x1080
start_at_menu --no-multisampling
press 880 765
wait_for "the network screen" on_network_screen

# The name field, emptied and typed into.
press 700 270
for i in $(seq 20); do tap BackSpace; done
xdotool type --delay 30 "Zed-9x"
tap BackSpace
tap Return
wait_for "the name kept" kept "name=Zed-9"

# The port field, then Enter in it hosts.
press 800 370
for i in $(seq 6); do tap BackSpace; done
xdotool type --delay 30 "$PORT"
tap Return
wait_for "the host's lobby" in_lobby
kept "host_port=$PORT" || fail "the port was not kept: $(cat "$SETTINGS")"

tap Escape
wait_for "the network screen again" on_network_screen
tap Escape
wait_for "the menu" off_network_screen
quit_from_menu
echo PASS

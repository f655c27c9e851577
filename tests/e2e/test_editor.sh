#!/usr/bin/env bash
# The map editor in the real program, on a copy of a shipped map in a game
# folder of the test's own: key 2 and a click paint a wall into an empty
# cell, the leave dialog saves, and the file on disk differs from the old one
# in exactly that cell, with the old version kept as the backup. A second
# edit left without saving changes nothing.
source "$(dirname "$0")/lib.sh"

own_game_folder bastion.zkm
map="$GAME_DIR/zkm/bastion.zkm"
cp "$map" "$WORK/original.zkm"
# Bastion's cells at columns 1 and 3 of row 1 are empty sky (code 000000).
[ "$(sed -n 9p "$map" | cut -d' ' -f2,4)" = "000000 000000" ] || fail "bastion's cells (1, 1) and (3, 1) are not empty"

# differences OLD NEW: "line:word:old>new" for each word that differs.
differences() {
  awk 'NR == FNR { for (i = 1; i <= NF; i++) word[FNR, i] = $i; words[FNR] = NF; next }
       { if (NF != words[FNR]) print FNR ":count"
         for (i = 1; i <= NF; i++) if (word[FNR, i] != $i) print FNR ":" i ":" word[FNR, i] ">" $i }
       END { if (FNR != length(words)) print "lines" }' "$1" "$2"
}

start_xvfb 1920x1080
start_at_menu --no-multisampling
open_editor is_sky
paint 1
leave_editor 785

cmp -s "$WORK/original.zkm" "$map.bak" || fail "the backup does not hold the old version"
[ ! -e "$map.tmp" ] || fail "a temporary file was left behind"
changed=$(differences "$WORK/original.zkm" "$map")
[ "$changed" = "9:2:000000>010000" ] || fail "the saved map differs in: ${changed:-nothing}"
cp "$map" "$WORK/saved.zkm"

# Opened again on the saved wall, painted again, left without saving: the
# file stays as saved.
open_editor is_stone
paint 3
leave_editor 1135
cmp -s "$WORK/saved.zkm" "$map" || fail "leaving without saving changed the file"

quit_from_menu
echo PASS

#!/usr/bin/env bash
# The program refuses to start, with one clear line and a non-zero status,
# when no display can be opened or a picture or sound file is missing.
source "$(dirname "$0")/lib.sh"

# expect_refusal MESSAGE: the game, started as prepared, ends non-zero saying MESSAGE.
expect_refusal() {
  local status=0
  timeout 20 bash -c "cd '$1' && exec env $2 '$PROGRAM' --no-multisampling" >"$WORK/out" 2>"$WORK/err" || status=$?
  [ "$status" -ne 0 ] || fail "the game started although $3"
  [ "$status" -ne 124 ] || fail "the game hung although $3"
  grep -q "$4" "$WORK/err" || fail "no message naming $4: $(cat "$WORK/err")"
}

expect_refusal "$GAME_DIR" "DISPLAY=:7777" "no display exists" "cannot open a display"

start_xvfb 960x540
copy="$WORK/game"
mkdir -p "$copy"
cp -r "$GAME_DIR/png" "$GAME_DIR/wav" "$copy/"
mkdir -p "$copy/zkm"
rm "$copy/png/skull.png"
expect_refusal "$copy" "DISPLAY=$DISPLAY ALSOFT_DRIVERS=null" "a picture is missing" "png/skull.png"

cp "$GAME_DIR/png/skull.png" "$copy/png/"
rm "$copy/wav/explosion_sm.wav"
expect_refusal "$copy" "DISPLAY=$DISPLAY ALSOFT_DRIVERS=null" "a sound is missing" "wav/explosion_sm.wav"
# Without audio the missing sound is noticed all the same.
expect_refusal "$copy" "DISPLAY=$DISPLAY ALSOFT_DRIVERS=no-such-driver PULSE_SERVER=/nonexistent" \
  "a sound is missing" "wav/explosion_sm.wav"
echo PASS

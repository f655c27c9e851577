#!/usr/bin/env bash
# A match with a score limit, three headless peers and two watchers over a
# lossy, slow loopback, one watcher there from the lobby, one come after the
# start: the first to two kills ends it on the same tick on every peer and
# watcher, with the same winner and the same state there,
# and the replays that the host and a joiner kept end there too, saying so.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

# The grey arena with spawn points at its left, middle and right as well:
# the bots stand there with every fighter in sight, so the kills come within
# seconds whatever the random hands do. (On a shipped map with cover the
# first to two kills took from half a minute to over three.)
grey_arena 1
awk 'NR == 31 { $5 = $44 = "000001" } { print }' "$GAME_DIR/zkm/grey.zkm" >"$WORK/spread.zkm"
MAP=$WORK/spread.zkm
PORT=27960
LONGEST=20000

"$SIM" --host "$PORT" --players 3 --bots 2 --score-limit 2 --seed 5 --play-randomly 1 --ticks "$LONGEST" \
  --lose 5 --delay 20 --record "$WORK/host_replays" "$MAP" >"$WORK/host.out" 2>"$WORK/host.err" &
host=$!
# The watcher first, in the lobby before the players make the host start.
"$SIM" --watch "127.0.0.1:$PORT" --ticks "$LONGEST" >"$WORK/watcher.out" 2>"$WORK/watcher.err" &
watcher=$!
wait_for_output "$WORK/watcher.err" "in the lobby"
"$SIM" --join "127.0.0.1:$PORT" --play-randomly 2 --ticks "$LONGEST" --lose 5 --delay 20 \
  --record "$WORK/joiner_replays" >"$WORK/joiner.out" 2>"$WORK/joiner.err" &
joiner=$!
"$SIM" --join "127.0.0.1:$PORT" --play-randomly 3 --ticks "$LONGEST" --lose 5 --delay 20 \
  >"$WORK/other.out" 2>"$WORK/other.err" &
other=$!
# The second watcher once the match has begun, caught up on what it missed.
wait_for_output "$WORK/host.err" "the match begins"
"$SIM" --watch "127.0.0.1:$PORT" --ticks "$LONGEST" >"$WORK/late.out" 2>"$WORK/late.err" &
late=$!
for peer in host joiner other watcher late; do
  wait "${!peer}" || fail "the $peer exited with $?: $(cat "$WORK/$peer.out" "$WORK/$peer.err")"
done

ended=$(head -1 "$WORK/host.out")
[[ $ended =~ ^match\ over\ tick\ ([0-9]+)\ winner\ [0-9]+$ ]] || fail "the host printed: $(cat "$WORK/host.out")"
tick=${BASH_REMATCH[1]}
[ "$tick" -lt "$LONGEST" ] || fail "the match ran to $tick"
sed -n 2p "$WORK/host.out" | grep -Eq "^net tick $tick hash [0-9a-f]{16}$" ||
  fail "no hash line for tick $tick: $(cat "$WORK/host.out")"
for peer in joiner other watcher late; do
  [ "$(cat "$WORK/$peer.out")" = "$(cat "$WORK/host.out")" ] ||
    fail "the $peer printed $(cat "$WORK/$peer.out"), the host $(cat "$WORK/host.out")"
done

for kept in host_replays joiner_replays; do
  "$SIM" --replay "$WORK/$kept"/*.zkr >"$WORK/replay.out" 2>&1 || fail "$kept: $(cat "$WORK/replay.out")"
  grep -Eq "^replay ticks $tick checkpoints [0-9]+ hash $(sed -n 's/.* hash //p' "$WORK/host.out")$" \
    "$WORK/replay.out" || fail "$kept played: $(cat "$WORK/replay.out")"
  tail -1 "$WORK/replay.out" | grep -qx "$ended" || fail "$kept ended: $(cat "$WORK/replay.out")"
done
echo PASS

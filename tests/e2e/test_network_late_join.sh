#!/usr/bin/env bash
# A player joins a match that is 3,000 ticks under way, over a lossy, slow
# loopback: it catches up on the match so far, takes over a bot's fighter on
# a tick every peer agrees on, and ends in the same state as the two who
# began it. The host's replay holds it from there and plays to that state.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

MAP=$GAME_DIR/zkm/tower.zkm
PORT=27960
LAST=4500

"$SIM" --host "$PORT" --players 2 --bots 2 --seed 5 --play-randomly 1 --ticks "$LAST" --lose 5 --delay 20 \
  --record "$WORK/host_replays" "$MAP" >"$WORK/host.out" 2>"$WORK/host.err" &
host=$!
"$SIM" --join "127.0.0.1:$PORT" --play-randomly 2 --ticks "$LAST" --lose 5 --delay 20 \
  >"$WORK/joiner.out" 2>"$WORK/joiner.err" &
joiner=$!
wait_for_output "$WORK/host.err" "at tick 3000"
"$SIM" --join "127.0.0.1:$PORT" --play-randomly 3 --ticks "$LAST" --lose 5 --delay 20 --name LATE \
  >"$WORK/late.out" 2>"$WORK/late.err" &
late=$!
for peer in host joiner late; do
  wait "${!peer}" || fail "the $peer exited with $?: $(cat "$WORK/$peer.out" "$WORK/$peer.err")"
done

grep -Eq "^net tick $LAST hash [0-9a-f]{16}$" "$WORK/host.out" || fail "the host printed: $(cat "$WORK/host.out")"
for peer in joiner late; do
  [ "$(cat "$WORK/$peer.out")" = "$(cat "$WORK/host.out")" ] ||
    fail "the $peer printed $(cat "$WORK/$peer.out"), the host $(cat "$WORK/host.out")"
done
entered=$(sed -n 's/^zk3-sim: came in as slot 2 at tick \([0-9]*\), told [0-9]* ms after joining$/\1/p' "$WORK/late.err")
[ -n "$entered" ] && [ "$entered" -gt 3000 ] && [ "$entered" -lt "$LAST" ] ||
  fail "the late player came in as: $(cat "$WORK/late.err")"
grep -q "LATE takes over slot 2 at tick $entered" "$WORK/host.err" || fail "the host said: $(cat "$WORK/host.err")"

"$SIM" --replay "$WORK/host_replays"/*.zkr >"$WORK/replay.out" 2>&1 || fail "replay: $(cat "$WORK/replay.out")"
grep -Eq "^replay ticks $LAST checkpoints [0-9]+ hash $(sed -n 's/.* hash //p' "$WORK/host.out")$" \
  "$WORK/replay.out" || fail "the host's replay played: $(cat "$WORK/replay.out")"
echo PASS

#!/usr/bin/env bash
# A player joining a match under way: a host and three joiners play
# randomly beside six bots on the loopback, and once the host has stepped
# JOIN_AT ticks a fifth peer joins, catches up and takes over a bot. Prints
# what the match so far cost to send, how long the newcomer took to be told
# its fighter, its figures and whether every peer agreed at the end.
# A benchmark to read, not a test: it judges nothing.
#
# Usage: bench/late_join.sh [JOIN_AT [PORT]] (defaults 3000 ticks, port 27991;
# JOIN_AT a multiple of 1000). The match runs 1,500 ticks past JOIN_AT.
# With KEEP=1 the peers' output stays, in the folder it names.
set -euo pipefail

JOIN_AT=${1:-3000}
PORT=${2:-27991}
HERE=$(cd "$(dirname "$0")/.." && pwd)
SIM=${SIM:-$HERE/build/tools/zk3-sim}
MAP=${MAP:-$HERE/game/zkm/tower.zkm}
TICKS=$(( JOIN_AT + 1500 ))

WORK=$(mktemp -d)
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -n "${KEEP:-}" ]; then echo "the peers' output: $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

"$SIM" --host "$PORT" --players 4 --bots 6 --ticks "$TICKS" --play-randomly 1 "$MAP" \
  >"$WORK/host.out" 2>"$WORK/host.err" &
PIDS+=($!)
sleep 0.3
for joiner in 1 2 3; do
  "$SIM" --join "127.0.0.1:$PORT" --ticks "$TICKS" --play-randomly $(( joiner + 1 )) \
    >"$WORK/joiner$joiner.out" 2>"$WORK/joiner$joiner.err" &
  PIDS+=($!)
done
until grep -q "at tick $JOIN_AT" "$WORK/host.err"; do sleep 0.05; done
"$SIM" --join "127.0.0.1:$PORT" --ticks "$TICKS" --play-randomly 9 --name LATE >"$WORK/late.out" 2>"$WORK/late.err" &
PIDS+=($!)
status=0
for pid in "${PIDS[@]}"; do wait "$pid" || status=$?; done
PIDS=()

echo "late_join join_at=$JOIN_AT ticks=$TICKS"
echo "host: $(sed -n 's/^ZK3: \(the match so far to .*\)$/\1/p' "$WORK/host.err")"
echo "late: $(sed -n 's/^zk3-sim: \(came in .*\)$/\1/p' "$WORK/late.err")"
echo "late: $(sed -n 's/^zk3-sim: \(rollbacks .*\)$/\1/p' "$WORK/late.err")"
agreed=yes
for peer in joiner1 joiner2 joiner3 late; do
  [ "$(cat "$WORK/$peer.out")" = "$(cat "$WORK/host.out")" ] || agreed=no
done
echo "every peer printed $(cat "$WORK/host.out"): $agreed (exit $status)"
exit "$status"

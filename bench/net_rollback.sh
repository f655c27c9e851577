#!/usr/bin/env bash
# Three headless peers of a network match on the loopback (a host and two
# joiners, each playing randomly), every one losing and delaying its own
# sends alike, and their figures side by side: the deepest going back, the
# waits, the longest step, the input delay and the bytes each sent a second.
# A benchmark to read, not a test: it judges nothing.
#
# Usage: bench/net_rollback.sh [TICKS [LOSE_PERCENT [DELAY_MS [PORT]]]]
# (defaults 30000 ticks, 5 %, 50 ms, port 27990). A joiner's controls reach
# the other joiner through the host, so they travel twice DELAY_MS. On a
# machine busy with other work, run it as root under `chrt -f 20`: another
# process's load then does not show as a peer that stops for a while (the
# steps' own cost shows in worst_step_cpu_ms either way).
set -euo pipefail

TICKS=${1:-30000}
LOSE=${2:-5}
DELAY=${3:-50}
PORT=${4:-27990}
HERE=$(cd "$(dirname "$0")/.." && pwd)
SIM=${SIM:-$HERE/build/tools/zk3-sim}
MAP=${MAP:-$HERE/game/zkm/tower.zkm}

WORK=$(mktemp -d)
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

common=(--ticks "$TICKS" --lose "$LOSE" --delay "$DELAY")
"$SIM" --host "$PORT" --players 3 "${common[@]}" --play-randomly 1 "$MAP" >"$WORK/host.out" 2>"$WORK/host.err" &
PIDS+=($!)
sleep 0.3
for joiner in 1 2; do
  "$SIM" --join "127.0.0.1:$PORT" "${common[@]}" --play-randomly $(( joiner + 1 )) \
    >"$WORK/joiner$joiner.out" 2>"$WORK/joiner$joiner.err" &
  PIDS+=($!)
done
status=0
for pid in "${PIDS[@]}"; do wait "$pid" || status=$?; done
PIDS=()

seconds=$(awk -v t="$TICKS" 'BEGIN { print t / 100 }')
echo "net_rollback ticks=$TICKS lose=$LOSE delay_ms=$DELAY"
for peer in host joiner1 joiner2; do
  figures=$(sed -n 's/^zk3-sim: \(rollbacks .*\)$/\1/p' "$WORK/$peer.err" | tail -1)
  if [ -z "$figures" ]; then
    echo "$peer: no figures (exit $status): $(tail -2 "$WORK/$peer.err" | tr '\n' ' ')"
    continue
  fi
  bytes=$(sed -n 's/.*bytes_sent \([0-9]*\).*/\1/p' <<<"$figures")
  rate=$(awk -v b="$bytes" -v s="$seconds" 'BEGIN { printf "%.1f", b / s / 1000 }')
  echo "$peer: $(head -1 "$WORK/$peer.out") $figures kb_per_s $rate"
done
exit "$status"

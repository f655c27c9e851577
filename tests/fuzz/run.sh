#!/usr/bin/env bash
# Runs one reader's fuzzer: first every input it ever found, then a bounded
# search from its seeds. A new finding is kept in the reader's regressions
# folder, so that it is replayed from then on, and the run fails.
# Usage: run.sh <fuzz_map_reader|fuzz_replay_reader|fuzz_packet_reader|fuzz_game_query> [seconds]
set -euo pipefail

FUZZER=$(realpath "$1")
SECONDS_TO_RUN=${2:-45}
HERE=$(cd "$(dirname "$0")" && pwd)
NAME=$(basename "$FUZZER")
case "$NAME" in
  fuzz_map_reader) READER="Map reader" SEEDS=seeds REGRESSIONS=regressions DICT=map.dict ;;
  fuzz_replay_reader)
    READER="Replay reader" SEEDS=replay_seeds REGRESSIONS=replay_regressions DICT=replay.dict ;;
  fuzz_packet_reader)
    READER="Packet reader" SEEDS=packet_seeds REGRESSIONS=packet_regressions DICT=packet.dict ;;
  fuzz_game_query)
    READER="Game query reader" SEEDS=query_seeds REGRESSIONS=query_regressions DICT=query.dict ;;
  *) echo "run.sh: no seeds for $NAME" >&2; exit 2 ;;
esac
WORK="$(dirname "$FUZZER")/work/$NAME"

# A folder of its own: no png/ there, so the pictures a map names fail to load.
rm -rf "$WORK/findings"
mkdir -p "$WORK/corpus" "$WORK/findings"
cd "$WORK"

found=()
while IFS= read -r -d '' file; do found+=("$file"); done \
  < <(find "$HERE/$REGRESSIONS" -type f ! -name '.*' -print0)
if [ ${#found[@]} -gt 0 ]; then
  echo "Replaying ${#found[@]} earlier findings"
  "$FUZZER" "${found[@]}" >regressions.log 2>&1 || { tail -n 40 regressions.log; exit 1; }
fi

status=0
"$FUZZER" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -dict="$HERE/$DICT" \
  -artifact_prefix="$WORK/findings/" -print_final_stats=1 \
  "$WORK/corpus" "$HERE/$SEEDS" >fuzz.log 2>&1 || status=$?

for finding in findings/*; do
  [ -e "$finding" ] || continue
  cp "$finding" "$HERE/$REGRESSIONS/"
  echo "New finding kept as tests/fuzz/$REGRESSIONS/$(basename "$finding")"
  status=1
done
if [ "$status" -ne 0 ]; then
  tail -n 60 fuzz.log
  exit 1
fi
grep -E '^stat::number_of_executed_units|^Done' fuzz.log || true
echo "$READER fuzzed for ${SECONDS_TO_RUN} s: no finding"

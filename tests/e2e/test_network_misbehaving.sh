#!/usr/bin/env bash
# A host's port is open to anyone: beside a headless host and an honest
# joiner, a third joiner misbehaves in each of its ways. Whatever it sends,
# the honest two agree on the match, keep time (they never stand still as
# long as the three seconds before a joiner that holds them up is let go),
# hold no more memory than a peer it never spoke to, and write at most a
# line a second about it.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

TICKS=1500
MAP=$GAME_DIR/zkm/tower.zkm
PORT=27960

# figure NAME FILE: a number from the figures line on a peer's standard error.
figure() { sed -n "s/.* $1 \([0-9]*\).*/\1/p" "$2" | tail -1; }

for way in idle flood lies hash; do
  PORT=$(( PORT + 1 ))
  began=$SECONDS
  "$SIM" --host "$PORT" --players 3 --play-randomly 1 --ticks "$TICKS" "$MAP" \
    >"$WORK/host.out" 2>"$WORK/host.err" &
  host=$!
  "$SIM" --join "127.0.0.1:$PORT" --play-randomly 2 --ticks "$TICKS" >"$WORK/joiner.out" 2>"$WORK/joiner.err" &
  joiner=$!
  "$SIM" --join "127.0.0.1:$PORT" --play-randomly 3 --ticks "$TICKS" --misbehave "$way" \
    >"$WORK/bad.out" 2>"$WORK/bad.err" &
  bad=$!
  wait "$host" || fail "$way: the host exited with $?: $(cat "$WORK/host.out" "$WORK/host.err")"
  ran=$(( SECONDS - began + 1 ))
  wait "$joiner" || fail "$way: the honest joiner exited with $?: $(cat "$WORK/joiner.out" "$WORK/joiner.err")" \
    "the host: $(cat "$WORK/host.err")"
  wait "$bad" || fail "$way: the misbehaving joiner exited with $?: $(cat "$WORK/bad.err")"

  agreed=$(cat "$WORK/host.out")
  [[ $agreed =~ ^net\ tick\ $TICKS\ hash\ [0-9a-f]{16}$ ]] || fail "$way: the host printed: $agreed"
  [ "$(cat "$WORK/joiner.out")" = "$agreed" ] || fail "$way: the joiner printed $(cat "$WORK/joiner.out")"

  # No stretch of standing still as long as the three seconds after which a
  # joiner that holds the match up is let go: a lie the host waited on would
  # cost that much, a busy machine's stalls are short however many they are.
  # A joiner whose controls stopped (the idle one always; another that a
  # busy machine starved, now and then) holds it up that long, and no more.
  allowed=$(( 300 - 1 ))
  if grep -q "^let go: your controls stopped arriving for 3 s$" "$WORK/bad.out"; then
    allowed=$(( 300 + 45 ))
  fi
  case $way in
    idle)
      grep -q "^let go: your controls stopped arriving for 3 s$" "$WORK/bad.out" ||
        fail "idle: not let go: $(cat "$WORK/bad.out")" ;;
    flood)
      grep -q "^let go: you sent more than 64 KB a second$" "$WORK/bad.out" ||
        fail "flood: not let go: $(cat "$WORK/bad.out")" ;;
    hash)
      grep -q "^let go: your match went out of step at tick 100$" "$WORK/bad.out" ||
        fail "hash: not let go: $(cat "$WORK/bad.out")" ;;
  esac
  for peer in host joiner; do
    still=$(figure longest_still "$WORK/$peer.err")
    [ -n "$still" ] && [ "$still" -le "$allowed" ] ||
      fail "$way: the $peer stood still $still ticks in a row (at most $allowed)"
  done
  host_kb=$(figure peak_kb "$WORK/host.err")
  joiner_kb=$(figure peak_kb "$WORK/joiner.err")
  [ "$host_kb" -le $(( joiner_kb + 8192 )) ] ||
    fail "$way: the host held $host_kb KB, the honest joiner $joiner_kb KB"
  # A line a second it ran at most, beside its own few: the lobby, the
  # start, the thousandth tick, the figures, the last count of refusals, a
  # let go and the two leaves. A busy machine stretches the match.
  lines=$(wc -l <"$WORK/host.err")
  [ "$lines" -le $(( ran + 8 )) ] || fail "$way: the host wrote $lines lines in $ran s: $(head -5 "$WORK/host.err")"
  echo "$way: stood still $(figure stood_still "$WORK/host.err") / $(figure stood_still "$WORK/joiner.err")" \
    "ticks, $(figure longest_still "$WORK/host.err") / $(figure longest_still "$WORK/joiner.err") in a row," \
    "host $host_kb KB, sent $(figure bytes_sent "$WORK/host.err") bytes, $lines lines"
done
echo PASS

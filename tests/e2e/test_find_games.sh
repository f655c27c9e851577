#!/usr/bin/env bash
# Finding games: a headless host in its lobby on a game port is found by
# zk3-sim --find with its name, map, players and state, on one line, and
# the finder's bad arguments are refused. It runs in a network namespace of
# its own that has only the loopback, so that its broadcasts reach nothing
# outside it; the game port is then its own as well.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

PORT=27963
# exit_status COMMAND...: the status it exits with, without ending the test.
exit_status() { local status=0; "$@" >/dev/null 2>&1 || status=$?; echo "$status"; }

[ "$(exit_status "$SIM" --find 0)" -eq 2 ] || fail "--find 0 was taken"
[ "$(exit_status "$SIM" --find 61)" -eq 2 ] || fail "--find 61 was taken"
[ "$(exit_status "$SIM" --find 2 3)" -eq 2 ] || fail "--find with two numbers was taken"
[ "$(exit_status "$SIM" --host "$PORT" --name "AN.NA" "$GAME_DIR/zkm/bastion.zkm")" -eq 2 ] ||
  fail "a host name with a dot was taken"

# Before the host: nothing to find, and that is no failure.
"$SIM" --find 1 >"$WORK/none.out" 2>"$WORK/none.err" || fail "--find with no game failed: $(cat "$WORK/none.err")"
[ ! -s "$WORK/none.out" ] || fail "a game found before any was hosted: $(cat "$WORK/none.out")"

"$SIM" --host "$PORT" --players 2 --name ANNA "$GAME_DIR/zkm/bastion.zkm" >"$WORK/host.out" 2>"$WORK/second.err" &
SECOND_PID=$!
give_up=$((SECONDS + 30))
until [ -n "$(ss -Hulnp "sport = :$PORT" | grep "pid=$SECOND_PID,")" ]; do
  kill -0 "$SECOND_PID" 2>/dev/null || fail "the host ended before it listened"
  [ "$SECONDS" -lt "$give_up" ] || fail "the host never listened on port $PORT"
  sleep 0.05
done

"$SIM" --find 3 >"$WORK/find.out" 2>"$WORK/find.err" || fail "--find failed: $(cat "$WORK/find.err")"
grep -Eq "^game 127\.0\.0\.1:$PORT name ANNA map bastion\.zkm players 1/11 state lobby ping [0-9]+$" \
  "$WORK/find.out" || fail "the host is not listed as it is: $(cat "$WORK/find.out")"
[ "$(wc -l <"$WORK/find.out")" -eq 1 ] || fail "the host is listed more than once: $(cat "$WORK/find.out")"
kill -0 "$SECOND_PID" || fail "the host ended while it was looked for"
sed -n 's/^zk3-sim: found \(.*\)$/host found: \1/p' "$WORK/find.err"
echo "PASS"

#!/usr/bin/env bash
# The dedicated server: it refuses bad arguments, is listed with its name
# and first map before anyone joins, plays three matches with two headless
# joiners over two maps in turn, writes their joins, kills, ends and the
# leave of the one who goes after the third, keeps each match's replay,
# and on SIGTERM tells the one still there and exits 0. Every wait is for a
# line of its log. It runs in a network namespace of its own with only the
# loopback, as the finding of games broadcasts.
OWN_NETWORK=1
source "$(dirname "$0")/lib.sh"

PORT=27964
LOG=$WORK/server.out
# Two arenas made for the test, in which the bots stand at spawn points
# across an open floor with (nearly) everyone in sight, so that each match's
# two kills come within seconds, whatever seeds the server picks: the grey
# arena, and the same with a pillar before its right-hand spawn point.
grey_arena 1
OPEN=$WORK/open.zkm
PILLAR=$WORK/pillar.zkm
awk 'NR == 31 { $5 = $44 = "000001" } { print }' "$GAME_DIR/zkm/grey.zkm" >"$OPEN"
awk 'NR >= 12 && NR <= 32 { $41 = $42 = "010000" } { print }' "$OPEN" >"$PILLAR"
exit_status() { local status=0; "$@" >/dev/null 2>&1 || status=$?; echo "$status"; }

[ "$(exit_status "$SERVER" --port 0 "$OPEN")" -eq 2 ] || fail "--port 0 was taken"
[ "$(exit_status "$SERVER" --skill expert "$OPEN")" -eq 2 ] || fail "--skill expert was taken"
[ "$(exit_status "$SERVER" "$WORK/none.zkm")" -eq 2 ] || fail "a missing map was taken"
[ "$(exit_status "$SERVER")" -eq 2 ] || fail "no map was taken"
reason=$("$SERVER" --port 0 "$OPEN" 2>&1 || true)
grep -q '^zk3-server: --port needs a whole number from 1 to 65535, not "0"$' <<<"$reason" ||
  fail "--port 0 was refused with: $reason"
"$SERVER" --help | grep -q -- '--wait-for N' || fail "--help does not list --wait-for"

"$SERVER" --port "$PORT" --name "E2E SERVER" --bots 4 --skill hard --score-limit 2 --lobby 1 --wait-for 2 \
  --replays "$WORK/replays" "$OPEN" "$PILLAR" >"$LOG" 2>"$WORK/server.err" &
SECOND_PID=$!
ANNA=""
BERT=""
# A joiner already gone must not stop the rest of the clearing up (the
# server was left running once).
trap '[ -z "$ANNA" ] || kill "$ANNA" 2>/dev/null || true; [ -z "$BERT" ] || kill "$BERT" 2>/dev/null || true; cleanup' EXIT
# A failure says what the server and each joiner wrote, so that a joiner
# let go or gone shows why.
server_fail() {
  fail "$1; the server wrote: $(cat "$LOG" "$WORK/server.err")
ANNA: $(cat "$WORK/anna.out" "$WORK/anna.err" 2>/dev/null)
BERT: $(cat "$WORK/bert.out" "$WORK/bert.err" 2>/dev/null)"
}

# wait_for_line PATTERN [COUNT]: the log has COUNT lines (1 unless given)
# matching the extended PATTERN after the time stamp. The long wait is only
# a safety net.
wait_for_line() {
  local give_up=$((SECONDS + 200))
  until [ "$(grep -Ec "^[0-9T:-]{19}Z $1" "$LOG")" -ge "${2:-1}" ]; do
    kill -0 "$SECOND_PID" 2>/dev/null || server_fail "the server ended while waiting for '$1'"
    [ "$SECONDS" -lt "$give_up" ] || server_fail "'$1' never came"
    sleep 0.1
  done
}

wait_for_line 'serving "E2E SERVER" on UDP port '"$PORT"': maps open\.zkm, pillar\.zkm;'
"$SIM" --find 3 >"$WORK/find.out" 2>"$WORK/find.err" || fail "--find failed: $(cat "$WORK/find.err")"
grep -Eq "^game 127\.0\.0\.1:$PORT name E2E SERVER map open\.zkm players 0/11 state lobby ping [0-9]+$" \
  "$WORK/find.out" || fail "the server is not listed as it is: $(cat "$WORK/find.out")"

# ANNA plays three matches and goes; BERT stays for a fourth, which never
# comes with only one human there.
"$SIM" --join "127.0.0.1:$PORT" --name ANNA --play-randomly 1 --ticks 100000 --matches 3 \
  >"$WORK/anna.out" 2>"$WORK/anna.err" &
ANNA=$!
"$SIM" --join "127.0.0.1:$PORT" --name BERT --play-randomly 2 --ticks 100000 --matches 4 \
  >"$WORK/bert.out" 2>"$WORK/bert.err" &
BERT=$!
wait_for_line 'match 3 replay '
wait "$ANNA" || fail "ANNA exited with $?: $(cat "$WORK/anna.out" "$WORK/anna.err")"
ANNA=""
# Her goodbye may still be on its way to the server as she exits, and BERT
# may print the third end a moment after the server keeps its replay.
wait_for_line 'leave ANNA$'
give_up=$((SECONDS + 60))
until [ "$(grep -c '^match over' "$WORK/bert.out")" -ge 3 ]; do
  [ "$SECONDS" -lt "$give_up" ] || fail "BERT never saw the third end: $(cat "$WORK/bert.out" "$WORK/bert.err")"
  sleep 0.1
done

grep -Eq '^\S+ join ANNA$' "$LOG" && grep -Eq '^\S+ join BERT$' "$LOG" || server_fail "the joins are not written"
maps=$(sed -En 's/^\S+ match [123] start (\S+): (ANNA, BERT|BERT, ANNA) and 4 bots$/\1/p' "$LOG" | tr '\n' ' ')
[ "$maps" = "open.zkm pillar.zkm open.zkm " ] || server_fail "the matches were played on $maps"
# Each match ends where both joiners saw it end, won by the fighter they
# name by its slot (the humans in the order the start names them, then the
# bots), after at least the score limit's kills.
for match in 1 2 3; do
  humans=$(sed -En "s/^\S+ match $match start \S+: (\S+), (\S+) and 4 bots$/\1 \2/p" "$LOG")
  names=($humans "BOT 1" "BOT 2" "BOT 3" "BOT 4")
  ended=$(sed -En "s/^\S+ match $match over \S+ at tick ([0-9]+): (.*)$/\1 \2/p" "$LOG")
  [ -n "$ended" ] || server_fail "match $match has no end"
  tick=${ended%% *}
  for joiner in anna bert; do
    said=$(sed -n "${match}p" <(grep '^match over' "$WORK/$joiner.out"))
    [[ $said =~ ^match\ over\ tick\ $tick\ (winner\ ([0-9]+)|draw)$ ]] ||
      fail "$joiner saw match $match end as '$said', the server at tick $tick"
    if [ -n "${BASH_REMATCH[2]}" ]; then
      [ "${ended#* }" = "winner ${names[${BASH_REMATCH[2]}]}" ] || server_fail "match $match: $said"
    else
      [ "${ended#* }" = "draw" ] || server_fail "match $match: $said"
    fi
  done
  kills=$(awk -v m="$match" '$2 == "match" && $3 == m && $4 == "start" { on = 1 }
    $2 == "match" && $3 == m && $4 == "over" { on = 0 } on && $2 == "kill" { n++ } END { print n + 0 }' "$LOG")
  [ "$kills" -ge 2 ] || server_fail "match $match has $kills kills written"
done
grep -Eq '^\S+ kill (ANNA|BERT|BOT [1-4]) \[(pistol|machine gun|shotgun|minigun|grenade|fall)\] (ANNA|BERT|BOT [1-4])$' \
  "$LOG" || server_fail "no kill is written as KILLER [WHAT] VICTIM"

# The replays, one a match, each ending as its match did.
replays=("$WORK/replays"/*.zkr)
[ "${#replays[@]}" -eq 3 ] || fail "${#replays[@]} replays kept: ${replays[*]}"
for match in 1 2 3; do
  grep -Fxq "$(sed -n "${match}p" <(sed -En 's/^\S+ match [123] replay (.*)$/\1/p' "$LOG"))" \
    <(printf '%s\n' "${replays[@]}") || server_fail "match $match's replay is not where the log says"
  "$SIM" --replay "${replays[$((match - 1))]}" >"$WORK/replay.out" 2>&1 || fail "replay $match: $(cat "$WORK/replay.out")"
  tail -1 "$WORK/replay.out" | grep -qx "$(sed -n "${match}p" <(grep '^match over' "$WORK/bert.out"))" ||
    fail "replay $match ended: $(cat "$WORK/replay.out")"
done

kill -TERM "$SECOND_PID"
expect_exit 10 SECOND_PID
wait_for_line 'stopped: every peer told'
give_up=$((SECONDS + 20))
while kill -0 "$BERT" 2>/dev/null; do
  [ "$SECONDS" -lt "$give_up" ] || fail "BERT was never told"
  sleep 0.1
done
wait "$BERT" || fail "BERT exited with $?: $(cat "$WORK/bert.out" "$WORK/bert.err")"
BERT=""
[ "$(tail -1 "$WORK/bert.out")" = "the host ended the match" ] || fail "BERT was told: $(tail -1 "$WORK/bert.out")"
echo PASS

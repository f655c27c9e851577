#!/usr/bin/env bash
# Runs a program on a private virtual display of 1920 x 1080 (Xvfb), as the
# end-to-end tests do, with silent sound and a fresh shader cache of its own.
# Usage: run_on_xvfb.sh PROGRAM [ARGUMENT...]
set -euo pipefail

WORK=$(mktemp -d)
XVFB_PID=""
cleanup() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

for number in $(seq 90 140); do
  [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
  Xvfb ":$number" -screen 0 1920x1080x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for tries in $(seq 300); do
    [ -e "/tmp/.X11-unix/X$number" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$number" ]; then
    sleep 0.2
    DISPLAY=":$number" ALSOFT_DRIVERS=null XDG_CACHE_HOME="$WORK/cache" "$@"
    exit $?
  fi
done
echo "no virtual display could be started" >&2
exit 1

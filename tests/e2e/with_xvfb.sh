#!/usr/bin/env bash
# Runs a command on a private Xvfb. The server picks its own free display number (-displayfd),
# and the script waits for it to be gone before returning, so a test that follows never meets a
# server still shutting down on the same number. -noreset: by default the server resets whenever
# its last client leaves, and a program started during that reset finds no display.
# Usage: with_xvfb.sh [--screen WxHxD] COMMAND...
set -euo pipefail

screen=1280x1024x24
if [ "${1:-}" = --screen ]; then
  screen="$2"
  shift 2
fi

workdir="$(mktemp -d)"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$workdir/display" 2>"$workdir/xvfb.log" &
server=$!
stop_server() {
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  rm -rf "$workdir"
}
trap stop_server EXIT

for _ in $(seq 1 100); do
  [ -s "$workdir/display" ] && break
  kill -0 "$server" 2>/dev/null || { cat "$workdir/xvfb.log" >&2; exit 1; }
  sleep 0.05
done
[ -s "$workdir/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -1 "$workdir/display")"

status=0
"$@" || status=$?
exit "$status"

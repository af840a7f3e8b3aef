#!/usr/bin/env bash
# Without a display the drill says so in one sentence and exits with 255, leaving no core file.
set -euo pipefail
binary="$1"
workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
cd "$workdir"
ulimit -c unlimited

code=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$workdir" \
  "$binary" >stdout.txt 2>stderr.txt || code=$?

[ "$code" -eq 255 ] || { echo "FAIL: exit code $code, expected 255"; cat stderr.txt; exit 1; }
[ "$(wc -l <stderr.txt)" -eq 1 ] || { echo "FAIL: expected one line on stderr:"; cat stderr.txt; exit 1; }
grep -q "no display" stderr.txt || { echo "FAIL: the sentence does not name the cause:"; cat stderr.txt; exit 1; }
[ ! -s stdout.txt ] || { echo "FAIL: unexpected output on stdout"; exit 1; }
if compgen -G "core*" >/dev/null; then echo "FAIL: a core file was left"; exit 1; fi
echo "exit 255: $(cat stderr.txt)"

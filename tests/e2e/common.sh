# Helpers for driving build/tallimo on the private X server that with_xvfb.sh gives the test.
# shellcheck shell=bash

binary="$1"
export XDG_RUNTIME_DIR="$(mktemp -d)"
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts the drill and sets $pid and $wid once its window is mapped.
start_drill() {
  "$binary" &
  pid=$!
  wid=""
  for _ in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --name '^\+Tallimo V2\.0$' 2>/dev/null | head -1) || true
    [ -n "$wid" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the drill ended before its window appeared"
    sleep 0.1
  done
  [ -n "$wid" ] || fail "no window titled +Tallimo V2.0 appeared"
  xdotool windowfocus --sync "$wid"
}

# Waits for the drill to end and checks its exit code.
expect_exit() {
  local expected="$1" code=0
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  wait "$pid" || code=$?
  [ "$code" -eq "$expected" ] || fail "exit code $code, expected $expected"
}

# Clicks at a point given in window client coordinates.
click_at() {
  xdotool mousemove --window "$wid" "$1" "$2" click 1
}

# Presses keys as the learner does: real key events (XTEST) into the window, focused first.
# Keys sent to the window with XSendEvent instead now and then go astray.
press_keys() {
  xdotool windowfocus --sync "$wid"
  xdotool key "$@"
}

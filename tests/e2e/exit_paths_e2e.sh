#!/usr/bin/env bash
# Closing the window in the middle of an exam ends the drill at once with exit code 0, whether
# a question is open or its answer is being held, and whether Escape or a window manager's close
# button (WM_DELETE_WINDOW) closes it.
set -euo pipefail
source "$(dirname "$0")/common.sh"

exam_check=(300 147)
answer_time_box=(461 145)
ask_answer_button=(402 546)

# What a window manager sends when its close button is pressed. Xvfb runs no window manager, and
# xdotool can only destroy the window outright, which is no close request at all.
send_delete_window() {
  python3 - "$1" <<'EOF'
import ctypes, sys

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                           ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 16)]  # XEvent is 24 longs

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
event = ClientMessage()
event.type = 33  # ClientMessage
event.window = int(sys.argv[1])
event.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.format = 32
event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
if not x11.XSendEvent(display, event.window, 0, 0, ctypes.byref(event)):
    sys.exit("XSendEvent failed")
x11.XFlush(display)
x11.XCloseDisplay(display)
EOF
}

red_pixels_in_answer_box() {
  import -window "$wid" png:- | convert png:- -crop 200x120+300+365 +repage \
    -fx 'r>0.8 && g<0.3 && b<0.3' -format '%[fx:round(mean*w*h)]' info:
}

# Exam mode with an answer time of 2 seconds, and its first question asked.
start_exam() {
  start_drill
  click_at "${exam_check[@]}"
  click_at "${answer_time_box[@]}"
  press_keys ctrl+a 2
  click_at "${ask_answer_button[@]}"
}

close_window() {
  case "$1" in
    escape) press_keys Escape ;;
    delete) send_delete_window "$wid" ;;
  esac
}

# The drill must be gone within 5 seconds of the close, with exit code 0.
expect_prompt_exit() {
  local code=0
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    fail "$1: the drill still ran 5 s after the close"
  fi
  wait "$pid" || code=$?
  [ "$code" -eq 0 ] || fail "$1: exit code $code, expected 0"
}

for how in escape delete; do
  start_exam
  sleep 1
  (( $(red_pixels_in_answer_box) == 0 )) || fail "$how: the answer showed before the answer time"
  close_window "$how"
  expect_prompt_exit "$how during a question"
  echo "$how during an exam question: exit code 0"

  start_exam
  held=0
  for _ in $(seq 1 40); do
    held=$(red_pixels_in_answer_box)
    (( held > 200 )) && break
    sleep 0.1
  done
  (( held > 200 )) || fail "$how: no answer appeared within 4 s of the question"
  close_window "$how"
  expect_prompt_exit "$how during the answer hold"
  echo "$how during the answer hold: exit code 0"
done

#!/usr/bin/env bash
# The real binary opens its window centred on the screen and Escape ends it with exit code 0.
set -euo pipefail
source "$(dirname "$0")/common.sh"

start_drill
eval "$(xdotool getwindowgeometry --shell "$wid")"
read -r screen_width screen_height < <(xdotool getdisplaygeometry)
# The frame is the window manager's; without one the client area stands where the frame would.
expected_x=$(( (screen_width - 543) / 2 ))
expected_y=$(( (screen_height - 625) / 2 ))
(( X >= expected_x - 8 && X <= expected_x + 8 )) || fail "window left edge $X, expected about $expected_x"
(( Y >= expected_y - 32 && Y <= expected_y + 32 )) || fail "window top edge $Y, expected about $expected_y"
(( WIDTH >= 536 && HEIGHT >= 597 )) || fail "client area ${WIDTH}x$HEIGHT cannot hold the group boxes"

press_keys Escape
expect_exit 0
echo "window centred at $X,$Y (${WIDTH}x$HEIGHT); Escape ended it with 0"

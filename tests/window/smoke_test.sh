#!/usr/bin/env bash
# The real window under Xvfb: title, size, icon, and exit code 0 after a close.
# Usage: smoke_test.sh GAME X_CLOSE
set -uo pipefail
game=$1
x_close=$2
. "$(dirname "$0")/xvfb_lib.sh"

# No display: one line on standard error and exit code 1.
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$game" 2>&1 >/dev/null)
code=$?
[ $code -eq 1 ] || fail "without a display the exit code was $code"
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "without a display it said: $err"

start_xvfb || exit 1
trap stop_xvfb EXIT
"$game" &
pid=$!
window=""
find_window() { window=$(xdotool search --name '^The Valewarden Saga - v1.0$' | head -1); [ -n "$window" ]; }
wait_for 10 find_window || fail "no window titled 'The Valewarden Saga - v1.0'"
[ "$(xdotool getwindowname "$window")" = "The Valewarden Saga - v1.0" ] || fail "title"
is_640x480() { xdotool getwindowgeometry --shell "$window" | grep -qx 'WIDTH=640' &&
  xdotool getwindowgeometry --shell "$window" | grep -qx 'HEIGHT=480'; }
wait_for 5 is_640x480 || fail "window is not 640x480: $(xdotool getwindowgeometry "$window")"
has_icon() { xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (50 x 50)'; }
wait_for 5 has_icon || fail "no 50x50 icon"
"$x_close" "$window"
for _ in $(seq 40); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.05
done
kill -0 $pid 2>/dev/null && { kill -9 $pid; fail "still running 2 s after the close"; }
wait $pid
code=$?
[ $code -eq 0 ] || fail "exit code $code after the close"
echo "window smoke test passed"

# Shared by the window tests: a private Xvfb display and waits that poll for a state.
start_xvfb() {
  local n
  for n in $(seq 91 190); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
  done
  echo "cannot start Xvfb" >&2
  return 1
}

stop_xvfb() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true; }

# wait_for SECONDS COMMAND...: runs COMMAND until it succeeds, at most SECONDS.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.05
  done
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

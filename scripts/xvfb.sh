# Sourced: starts a private Xvfb and exports DISPLAY; stop_xvfb ends it. Screen 1280x1024 at 24
# bits, the depth the pixel tests expect. The server picks a free display number itself and
# says which once it accepts connections, so two started at the same moment never share one.
# -noreset: a server whose last client ends resets, and refuses whoever connects meanwhile;
# clients here come and go all the time. Arguments are passed on to Xvfb (-br: a black root).
start_xvfb() {
  local ready n
  ready=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset "$@" 3>"$ready" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    n=$(cat "$ready")
    if [ -n "$n" ]; then
      rm -f "$ready"
      export DISPLAY=":${n}"
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$ready"
  echo "could not start Xvfb" >&2
  return 1
}

stop_xvfb() {
  # Never fails: callers under `set -e` stop it from their exit traps.
  if [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; then
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  XVFB_PID=""
}

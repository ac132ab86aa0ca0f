#!/usr/bin/env bash
# Hide and bring back the real program many times in a row under a real window manager
# (openbox), the way a user brings it back: by starting it a second time. After every return
# the window must be mapped, in the normal state (not iconic, not hidden) and active.
# Usage: restore_test.sh BUILD_DIR ROUNDS [tray]   (tray: a tint2 notification area is running)
set -euo pipefail
build=$(cd "$1" && pwd)
rounds=$2
with_tray=${3:-}
summary="restored $rounds times ${with_tray:+with a notification area}"
[ -n "$with_tray" ] || summary+="without a notification area, then hidden into a late one"
cd "$(dirname "$0")/../.."

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait "${pids[@]}" 2>/dev/null || true
  stop_xvfb
  rm -rf "$scratch"
}
trap cleanup EXIT
source scripts/xvfb.sh
start_xvfb
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" HOME="$scratch/home"
export XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_DATA_HOME/Tintwatch" "$XDG_CONFIG_HOME" "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() { echo "FAIL: $*" >&2; exit 1; }
# Polls `condition` (a command) for up to `tenths` tenths of a second.
wait_for() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}

openbox --config-file /dev/null >/dev/null 2>&1 &
pids+=($!)
wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "openbox did not start"
# A tint2 panel holding only a notification area.
start_tray() {
  printf 'panel_items = S\npanel_size = 100%% 30\npanel_position = bottom center horizontal\n' \
    >"$scratch/tint2rc"
  tint2 -c "$scratch/tint2rc" >/dev/null 2>&1 &
  pids+=($!)
  wait_for 300 sh -c "xdotool search --class tint2 >/dev/null" || fail "tint2 did not start"
}
# Whether the panel holds an icon (tint2 puts each embedded icon in a window of its own).
tray_holds_icon() {
  local panel
  panel=$(xdotool search --class tint2 | head -n1)
  [ -n "$panel" ] && xwininfo -id "$panel" -children | grep -qE '^ +1 child'
}
[ -n "$with_tray" ] && start_tray

# An empty list would open the editor at start; one disabled event keeps the window alone.
le32() { local v=$(( $1 & 0xffffffff ))
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $(((v >> 8) & 255)) \
    $(((v >> 16) & 255)) $(((v >> 24) & 255)))"; }
line() { local text=$1 i; for ((i = 0; i < ${#text}; i++)); do printf '%s\0' "${text:i:1}"; done
  printf '\n\0'; }
{
  for v in 786 1280 1024 1; do le32 "$v"; done
  for v in 0 0 0 0 0 0 0 10 10 5 0 1000 0 0 2000 100 0; do le32 "$v"; done
  line Open; line ""; line "restore test"
} >"$XDG_DATA_HOME/Tintwatch/Tintwatchv7.1.dat"

"$build/tintwatch" &
pids+=($!)
wait_for 150 sh -c 'xdotool search --onlyvisible --name "^Tintwatch$" >/dev/null' ||
  fail "the window did not appear"
window=$(xdotool search --onlyvisible --name '^Tintwatch$' | head -n1)
if [ -n "$with_tray" ]; then
  wait_for 150 tray_holds_icon || fail "no icon in the notification area"
fi

# What the window manager and the X server say about the window, on one line.
state() {
  local wm_state net_state map
  wm_state=$(xprop -id "$window" WM_STATE 2>/dev/null | awk '/window state:/ {print $3}')
  net_state=$(xprop -id "$window" _NET_WM_STATE 2>/dev/null | sed 's/.*= *//; s/.*not found.*//')
  map=$(xwininfo -id "$window" 2>/dev/null | awk '/Map State:/ {print $3}')
  echo "WM_STATE=${wm_state:-none} _NET_WM_STATE=[${net_state}] map=${map}"
}
shown() {
  local s; s=$(state)
  [[ $s == *"WM_STATE=Normal"* && $s == *"map=IsViewable"* && $s != *HIDDEN* ]] &&
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]
}
# With a notification area Hide withdraws the window; without one it minimises it, so that the
# taskbar still holds it.
hidden() {
  local s; s=$(state)
  if [ -n "$with_tray" ]; then
    [[ $s == *"map=IsUnMapped"* && $s != *"WM_STATE=Normal"* && $s != *"WM_STATE=Iconic"* ]]
  else
    [[ $s == *"map=IsUnMapped"* && $s == *"WM_STATE=Iconic"* ]]
  fi
}

wait_for 150 shown || fail "not shown at start: $(state)"
for round in $(seq "$rounds"); do
  xdotool key alt+n
  wait_for 50 hidden || fail "round $round: not hidden as expected: $(state)"
  timeout 10 "$build/tintwatch" || fail "round $round: the second start ended with $?"
  wait_for 100 shown ||
    fail "round $round: not brought back: $(state), active $(xdotool getactivewindow 2>/dev/null)"
  # Stays shown: a late answer from the window manager must not take it away again.
  sleep 0.3
  shown || fail "round $round: shown, then lost again: $(state)"
done
# Minimised by the user through the window manager, it comes back the same way.
xdotool windowminimize "$window"
wait_for 50 sh -c "xprop -id $window WM_STATE | grep -q Iconic" || fail "not minimised: $(state)"
timeout 10 "$build/tintwatch" || fail "the second start ended with $?"
wait_for 50 shown || fail "not brought back from the taskbar: $(state)"
# A notification area that appears later gets the icon at once, and Hide hides into it.
if [ -z "$with_tray" ]; then
  start_tray
  wait_for 150 tray_holds_icon || fail "no icon in the notification area that appeared"
  with_tray=late
  xdotool key alt+n
  wait_for 50 hidden || fail "with the late notification area, not hidden: $(state)"
  timeout 10 "$build/tintwatch" || fail "the second start ended with $?"
  wait_for 100 shown || fail "not brought back from the late notification area: $(state)"
fi
echo "$summary: OK"

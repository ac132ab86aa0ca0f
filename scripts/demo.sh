#!/usr/bin/env bash
# A demonstration that needs no display of its own: under a private Xvfb, Tintwatch watches a
# point of a window of one colour, the colour changes, and Tintwatch counts the detections.
# Prints the count read back from the saved data file and the path of a screenshot (PNG).
# Expects a built tree (BUILD_DIR, default build); scripts/run.sh builds it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
for program in "$build/tintwatch" "$build/tw_colour_window"; do
  [ -x "$program" ] || { echo "missing $program: run scripts/run.sh (or build) first" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tintwatch-demo-XXXXXX")
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export HOME="$work/home" QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_DATA_HOME/Tintwatch" "$XDG_CONFIG_HOME" "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

source scripts/xvfb.sh
pids=()
cleanup() {
  exec 3>&- 2>/dev/null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  # Only our own children: a bare wait would also wait for the Xvfb still running.
  wait "${pids[@]}" 2>/dev/null || true
  stop_xvfb
}
trap cleanup EXIT
start_xvfb

# The watched window: 200 x 200 pixels of blue at (1000, 700); the event watches its middle.
exec 3> >("$build/tw_colour_window" 1000 700 200 200 '#2040c0' >"$work/window.log")
pids+=($!)
for _ in $(seq 50); do grep -q painted "$work/window.log" 2>/dev/null && break; sleep 0.1; done

# One event in change mode at (1100, 800): blue (32, 64, 192) is the colour to match, every
# 250 ms, at most 5 detections, no tone, no launch.
source scripts/data_file.sh
data="$XDG_DATA_HOME/Tintwatch/Tintwatchv7.1.dat"
{
  data_file_header 1
  event_record 32 64 192 0 0 0 0 1100 800 5 0 250 1 0 2000 100 0 Open "" "Demo: the blue window"
} >"$data"

"$build/tintwatch" &
pids+=($!)
tintwatch_pid=$!
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Tintwatch$' >/dev/null 2>&1 && break
  sleep 0.1
done
echo "Tintwatch is watching (1100, 800); the colour there is blue."
sleep 1
echo "Turning the watched window red."
echo '#e02020' >&3
sleep 2.5

shot="$work/tintwatch-demo.png"
import -window root "$shot" 2>/dev/null || xwd -root -silent | convert xwd:- "$shot"
# The detection count of the first record: header (16) + 10 integers of the record (40).
count=$(od -An -t d4 -j 56 -N 4 "$data" | tr -d ' ')
kill -TERM "$tintwatch_pid"
wait "$tintwatch_pid" || true
echo "Detections saved in the data file: $count (of at most 5)."
echo "Screenshot: $shot"

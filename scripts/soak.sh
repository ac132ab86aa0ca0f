#!/usr/bin/env bash
# Days of running, compressed: the real program under a private Xvfb (black root) watching 100
# points every 10 ms that never change, and one point every second that always differs, with a
# tone (on a private PulseAudio null sink, when pulseaudio is installed) and a launch. Once a
# minute it prints the resident memory, the open descriptors and the threads of the program,
# then sums up the growth after the first minute. Not part of the test command.
#   scripts/soak.sh MINUTES   (BUILD_DIR: the build folder, default build; SOAK_MINUTE_SECONDS
#   shortens the "minute" for a quick look)
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:?usage: scripts/soak.sh MINUTES}
build=${BUILD_DIR:-build}
cmake --build "$build" --target tintwatch >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/tintwatch-soak-XXXXXX")
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export HOME="$work/home" QT_QPA_PLATFORM=xcb
unset PULSE_SERVER WAYLAND_DISPLAY
mkdir -p "$XDG_DATA_HOME/Tintwatch" "$XDG_CONFIG_HOME" "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

source scripts/xvfb.sh
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  # Only our own children: a bare wait would also wait for the Xvfb still running.
  wait "${pids[@]}" 2>/dev/null || true
  stop_xvfb
}
trap cleanup EXIT
# A black root: every point without a window reads black.
start_xvfb -br
if command -v pulseaudio >/dev/null; then
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --load=module-null-sink \
    --load=module-native-protocol-unix 2>/dev/null &
  pids+=($!)
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/pulse/native" ] && break; sleep 0.1; done
fi

# Every launch leaves a line, so the figures show the detections going on.
launches="$work/launches.log"
printf '#!/bin/sh\necho run >> "%s"\n' "$launches" >"$work/launched.sh"
chmod +x "$work/launched.sh"
source scripts/data_file.sh
{
  data_file_header 101
  # Black is what the root shows everywhere: these never detect.
  for i in $(seq 0 99); do
    event_record 0 0 0 0 0 0 0 $((10 + i * 12)) 100 1000000 0 10 1 0 2000 100 0 Open "" "quiet $i"
  done
  # Blue is nowhere: this one detects at each of its ticks, with a 200 ms tone and a launch.
  event_record 32 64 192 0 0 0 0 640 512 1000000 0 1000 1 1 880 200 1 Open "$work/launched.sh" busy
} >"$XDG_DATA_HOME/Tintwatch/Tintwatchv7.1.dat"

"$build/tintwatch" 2>"$work/stderr.log" &
pid=$!
pids+=($pid)

field() { awk -v key="$1:" '$1 == key { print $2 }' "/proc/$pid/status"; }
# The fewest over 1.2 s, so a moment between two tones is among them: a tone holds two
# threads and a connection while it sounds.
fewest() { local n least=""
  for _ in $(seq 24); do
    n=$("$@"); [ -z "$least" ] || [ "$n" -lt "$least" ] && least=$n; sleep 0.05
  done; echo "$least"; }
count_fds() { ls "/proc/$pid/fd" | wc -l; }
echo "minute  RSS (kB)  descriptors  threads  detections"
first_rss=""
first_fds=""
first_threads=""
for minute in $(seq 1 "$minutes"); do
  sleep "${SOAK_MINUTE_SECONDS:-60}"
  kill -0 "$XVFB_PID" 2>/dev/null || { echo "The Xvfb ended early."; exit 1; }
  kill -0 "$pid" 2>/dev/null || { echo "Tintwatch ended early:"; cat "$work/stderr.log"; exit 1; }
  rss=$(field VmRSS)
  fds=$(fewest count_fds)
  threads=$(fewest field Threads)
  detections=$(wc -l <"$launches" 2>/dev/null || echo 0)
  printf '%6d  %8d  %11d  %7d  %10d\n' "$minute" "$rss" "$fds" "$threads" "$detections"
  if [ -z "$first_rss" ]; then
    first_rss=$rss first_fds=$fds first_threads=$threads
  fi
done
echo "After the first minute: RSS $((rss - first_rss)) kB, descriptors $((fds - first_fds)),"\
  "threads $((threads - first_threads))."
kill -TERM "$pid"
wait "$pid" && echo "Tintwatch closed cleanly." || echo "Tintwatch ended with status $?."

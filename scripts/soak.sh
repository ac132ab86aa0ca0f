#!/usr/bin/env bash
# Days of running, compressed: the real program under a private Xvfb (black root) watching 100
# points every 10 ms that never change, one point every 10 ms that differs at every tick, and one
# every second that differs too, with a tone (on a private PulseAudio null sink, when pulseaudio
# is installed) and a launch. Once a minute it prints the resident memory, the open descriptors
# and the threads of the program and the detections of all events so far, then sums up the
# growth after the first minute. It fails when memory grew by 1 MB or more after the first
# minute, when a quiet point detected, or when the 10 ms point detected at fewer than a third
# of its ticks (then the run proved nothing). `make test` runs it for two minutes.
#   scripts/soak.sh MINUTES   (BUILD_DIR: the build folder, default build; SOAK_MINUTE_SECONDS
#   shortens the "minute" for a quick look)
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:?usage: scripts/soak.sh MINUTES}
seconds=${SOAK_MINUTE_SECONDS:-60}
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
  rm -rf "$work"
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

# The launched program does nothing; the saved counts tell the detections.
printf '#!/bin/sh\n' >"$work/launched.sh"
chmod +x "$work/launched.sh"
source scripts/data_file.sh
data="$XDG_DATA_HOME/Tintwatch/Tintwatchv7.1.dat"
{
  data_file_header 102
  # Black is what the root shows wherever no window is: with no window manager the window opens
  # at the top left (1120 x 480 at most), so all points lie below it. These never detect.
  for i in $(seq 0 99); do
    event_record 0 0 0 0 0 0 0 $((10 + i * 12)) 1000 1000000 0 10 1 0 2000 100 0 Open "" "quiet $i"
  done
  # Blue is nowhere: these detect at each of their ticks, the last with a 200 ms tone and a
  # launch.
  event_record 32 64 192 0 0 0 0 640 960 1000000 0 10 1 0 880 200 0 Open "" busy
  event_record 32 64 192 0 0 0 0 660 960 1000000 0 1000 1 1 880 200 1 Open "$work/launched.sh" \
    "busy, with tone and launch"
} >"$data"
# The saved detection counts of the quiet points and of all events (saves are atomic renames).
counts() { perl -0777 -ne 'my ($n, $at, $quiet, $all) = (unpack("x12 V"), 16, 0, 0);
  for my $i (1 .. $n) { my $count = (unpack "V17", substr $_, $at, 68)[10]; pos($_) = $at + 68;
    /\G(?:..)*?\n\0(?:..)*?\n\0(?:..)*?\n\0/gs or last; $at = pos($_);
    $all += $count; $quiet += $count if $i <= 100 }
  print "$quiet $all\n"' "$data"; }

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
  sleep "$seconds"
  kill -0 "$XVFB_PID" 2>/dev/null || { echo "The Xvfb ended early."; exit 1; }
  kill -0 "$pid" 2>/dev/null || { echo "Tintwatch ended early:"; cat "$work/stderr.log"; exit 1; }
  rss=$(field VmRSS)
  fds=$(fewest count_fds)
  threads=$(fewest field Threads)
  read -r quiet detections < <(counts)
  printf '%6d  %8d  %11d  %7d  %10d\n' "$minute" "$rss" "$fds" "$threads" "$detections"
  if [ -z "$first_rss" ]; then
    first_rss=$rss first_fds=$fds first_threads=$threads
  fi
done
growth=$((rss - first_rss))
echo "After the first minute: RSS $growth kB, descriptors $((fds - first_fds)),"\
  "threads $((threads - first_threads)). Detections: $detections, $quiet of them at quiet points."
status=0
kill -TERM "$pid"
wait "$pid" && echo "Tintwatch closed cleanly." ||
  { status=$?; echo "Tintwatch ended with status $status."; }
[ "$growth" -lt 1024 ] || { echo "FAIL: memory grew by 1 MB or more."; status=1; }
[ "$quiet" = 0 ] || { echo "FAIL: quiet points detected."; status=1; }
[ "$detections" -ge $((minutes * seconds * 100 / 3)) ] ||
  { echo "FAIL: the 10 ms point detected at fewer than a third of its ticks."; status=1; }
exit $status

#!/usr/bin/env bash
# Installs what is missing, builds Tintwatch and starts it on the user's display. With no
# display it runs the demonstration under a private Xvfb instead (scripts/demo.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
build=${BUILD_DIR:-build}
# Tests and benchmarks need the test set's packages; running needs neither.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTINTWATCH_BUILD_TESTS=OFF -DTINTWATCH_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tintwatch tw_colour_window

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here: running the demonstration under its own Xvfb."
  scripts/install-deps.sh demo
  BUILD_DIR="$build" exec scripts/demo.sh
fi
exec "$build/tintwatch" "$@"

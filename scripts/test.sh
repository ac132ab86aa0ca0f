#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: under a private Xvfb, and
# the Wayland ones on a private headless Wayland desktop.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

# The data-file loader against a minute of generated input (clang, sanitizers), before the
# suite so that the suite's summary is the last thing printed.
FUZZ_BUILD_DIR="$build-fuzz" scripts/fuzz.sh "${FUZZ_SECONDS:-60}" 2>&1 | tail -n 15

source scripts/xvfb.sh
trap stop_xvfb EXIT
start_xvfb
# Nothing the tests do may reach the real user's files, whatever the tests themselves set.
scratch=$(mktemp -d)
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
export XDG_RUNTIME_DIR="$scratch/runtime" XDG_CACHE_HOME="$scratch/cache"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

status=0
ctest --test-dir "$build" --output-on-failure -j 2 -LE wayland || status=$?

# The Wayland tests on a headless Wayland desktop of their own. Only a desktop that truly
# cannot start skips them, and says so.
source scripts/wayland-session.sh
trap 'stop_wayland_session; stop_xvfb' EXIT
started=$SECONDS
if start_wayland_session; then
  echo "Wayland desktop ready in $((SECONDS - started)) s"
  in_wayland_session ctest --test-dir "$build" --output-on-failure -L wayland || status=$?
else
  echo "**************************************************************************" >&2
  echo "*** SKIPPED: the tests labelled 'wayland'; the headless Wayland desktop ***" >&2
  echo "*** could not start (reason above).                                     ***" >&2
  echo "**************************************************************************" >&2
fi
exit $status

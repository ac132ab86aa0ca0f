#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: under a private Xvfb, and
# the Wayland ones on a private headless Wayland desktop.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
build=${BUILD_DIR:-build}
# On, whatever an earlier make run left in the build folder's cache.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTINTWATCH_BUILD_TESTS=ON -DTINTWATCH_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

# The Windows build, whose tests run under Wine below; its Qt is built once and kept.
windows_zip=""
if command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null; then
  windows_zip=$(scripts/windows.sh)
fi

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
x11_log="$scratch/x11-stage.log"
ctest --test-dir "$build" --output-on-failure -j 2 -LE "wayland|wine|gnome|kde" 2>&1 | tee "$x11_log" ||
  status=$?

# The Windows build under Wine, unpacked from its zip as a user would, with the probe beside it.
if [ -n "$windows_zip" ]; then
  unzip -q "$windows_zip" -d "$scratch/windows"
  export TW_WINDOWS_DIR=$(echo "$scratch"/windows/tintwatch-*-win64)
  cp "$(dirname "$windows_zip")/tests/windows/tw_win_probe.exe" "$TW_WINDOWS_DIR/"
  ctest --test-dir "$build" --output-on-failure -L wine 2>&1 | tee -a "$x11_log" || status=$?
else
  echo "*** SKIPPED: the tests labelled 'wine'; no mingw-w64 or Wine here. ***" >&2
fi

# The Wayland tests on a headless Wayland desktop of their own. Only a desktop that truly
# cannot start skips them, and says so.
source scripts/wayland-session.sh
trap 'stop_wayland_session || true; stop_xvfb' EXIT
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
stop_wayland_session || true

# GNOME Shell and KWin, headless, each with its own portal backend and permission dialogs.
source scripts/desktop-session.sh
trap 'stop_desktop_session || true; stop_xvfb' EXIT
for desktop in gnome kde; do
  started=$SECONDS
  if start_desktop_session $desktop; then
    echo "$desktop desktop ready in $((SECONDS - started)) s"
    # The tests run as the desktop's user, who writes ctest's records too.
    mkdir -p "$build/Testing/Temporary"
    [ ${#DESKTOP_AS[@]} -eq 0 ] || chown -R "${DESKTOP_AS[1]#--reuid=}" "$build/Testing"
    in_desktop_session ctest --test-dir "$build" --output-on-failure -L $desktop || status=$?
    stop_desktop_session
    echo "$desktop stage took $((SECONDS - started)) s"
  else
    echo "**************************************************************************" >&2
    echo "*** SKIPPED: the tests labelled '$desktop'; its headless desktop could   ***" >&2
    echo "*** not start (reason above).                                           ***" >&2
    echo "**************************************************************************" >&2
  fi
done
[ "$(id -u)" -ne 0 ] || chown -R "$(id -u):$(id -g)" "$build/Testing"
# What failed in the first stage, once more at the very end, where a log cut short still shows
# it: each failed test's own output as the stage printed it.
if grep -qE '\*\*\*(Failed|Timeout|Exception)' "$x11_log"; then
  echo "=== Failed under Xvfb, as printed above ==="
  awk '/\*\*\*(Failed|Timeout|Exception)/ {show = 1; print; next}
       /^ *([0-9]+\/[0-9]+ Test|Start) / {show = 0}
       show' "$x11_log" | tail -n 80
fi
exit $status

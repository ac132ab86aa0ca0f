#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: under a private Xvfb, and
# the Wayland ones on a private headless Wayland desktop.
set -euo pipefail
cd "$(dirname "$0")/.."

# How long each stage took, printed at the end, so that a stage that grows is seen.
stage_names=() stage_seconds=() stage_started=$SECONDS
stage() {
  [ ${#stage_names[@]} -gt 0 ] && stage_seconds+=($((SECONDS - stage_started)))
  stage_names+=("$1") stage_started=$SECONDS
}
stage_summary() {
  stage_seconds+=($((SECONDS - stage_started)))
  echo "=== Time per stage ==="
  for i in "${!stage_names[@]}"; do
    printf '%-12s %4d s\n' "${stage_names[$i]}" "${stage_seconds[$i]}"
  done
  printf '%-12s %4d s\n' total "$SECONDS"
}

stage install
scripts/install-deps.sh test
stage build
build=${BUILD_DIR:-build}
# On, whatever an earlier make run left in the build folder's cache.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTINTWATCH_BUILD_TESTS=ON -DTINTWATCH_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

# The Windows build, whose tests run under Wine below; its Qt is built once and kept.
stage windows
windows_zip=""
if command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null; then
  windows_zip=$(scripts/windows.sh)
fi

# The data-file loader against a minute of generated input (clang, sanitizers), before the
# suite so that the suite's summary is the last thing printed.
stage fuzzing
FUZZ_BUILD_DIR="$build-fuzz" scripts/fuzz.sh "${FUZZ_SECONDS:-60}" 2>&1 | tail -n 15

source scripts/xvfb.sh
trap stop_xvfb EXIT
start_xvfb
# Nothing the tests do may reach the real user's files, whatever the tests themselves set.
scratch=$(mktemp -d)
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
export XDG_RUNTIME_DIR="$scratch/runtime" XDG_CACHE_HOME="$scratch/cache"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

stage x11
status=0
suite_log="$scratch/suite.log"
ctest --test-dir "$build" --output-on-failure -j 2 -LE "wayland|wine|gnome|kde" 2>&1 |
  tee "$suite_log" ||
  status=$?

# The Windows build under Wine, unpacked from its zip as a user would, with the probe beside it.
stage wine
if [ -n "$windows_zip" ]; then
  unzip -q "$windows_zip" -d "$scratch/windows"
  export TW_WINDOWS_DIR=$(echo "$scratch"/windows/tintwatch-*-win64)
  cp "$(dirname "$windows_zip")/tests/windows/tw_win_probe.exe" "$TW_WINDOWS_DIR/"
  ctest --test-dir "$build" --output-on-failure -L wine 2>&1 | tee -a "$suite_log" || status=$?
else
  echo "*** SKIPPED: the tests labelled 'wine'; no mingw-w64 or Wine here. ***" >&2
fi

# The Wayland tests on a headless Wayland desktop of their own. Only a desktop that truly
# cannot start skips them, and says so.
stage wayland
source scripts/wayland-session.sh
trap 'stop_wayland_session || true; stop_xvfb' EXIT
started=$SECONDS
if start_wayland_session; then
  echo "Wayland desktop ready in $((SECONDS - started)) s"
  in_wayland_session ctest --test-dir "$build" --output-on-failure -L wayland 2>&1 |
    tee -a "$suite_log" || status=$?
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
  stage $desktop
  started=$SECONDS
  # Its portal backend has once failed to come up at all in 30 s, and came up at the next try.
  if start_desktop_session $desktop ||
    { echo "Starting the $desktop desktop once more" >&2; start_desktop_session $desktop; }; then
    echo "$desktop desktop ready in $((SECONDS - started)) s"
    # The tests run as the desktop's user, who writes ctest's records too.
    mkdir -p "$build/Testing/Temporary"
    [ ${#DESKTOP_AS[@]} -eq 0 ] || chown -R "${DESKTOP_AS[1]#--reuid=}" "$build/Testing"
    in_desktop_session ctest --test-dir "$build" --output-on-failure -L $desktop 2>&1 |
      tee -a "$suite_log" || status=$?
    stop_desktop_session || true
    echo "$desktop stage took $((SECONDS - started)) s"
  else
    echo "**************************************************************************" >&2
    echo "*** SKIPPED: the tests labelled '$desktop'; its headless desktop could   ***" >&2
    echo "*** not start (reason above).                                           ***" >&2
    echo "**************************************************************************" >&2
  fi
done
[ "$(id -u)" -ne 0 ] || chown -R "$(id -u):$(id -g)" "$build/Testing"
# What failed, once more at the very end, where a log cut short still shows
# it: each failed test's own output as the stage printed it.
if grep -qE '\*\*\*(Failed|Timeout|Exception)' "$suite_log"; then
  echo "=== Failed, as printed above ==="
  awk '/\*\*\*(Failed|Timeout|Exception)/ {show = 1; print; next}
       /^ *([0-9]+\/[0-9]+ Test|Start) / {show = 0}
       show' "$suite_log" | tail -n 80
fi
stage_summary
# Every stage's tests together, from ctest's own closing lines.
awk '/tests passed, [0-9]+ tests? failed out of/ { failed += $4; total += $NF }
     END { printf "tests: %d passed, %d failed\n", total - failed, failed }' "$suite_log"
exit $status

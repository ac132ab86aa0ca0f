#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the desktop finds the program, its
# entry and its icon there, and that the installed program runs: a second start hands over to
# the first and ends with 0, and SIGTERM ends the first with 0.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'kill "${first:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$prefix/bin/tintwatch" ] || fail "no bin/tintwatch"
entry="$prefix/share/applications/io.github.tintwatch.Tintwatch.desktop"
[ -f "$entry" ] || fail "no desktop entry"
grep -qx 'Exec=tintwatch' "$entry" || fail "desktop entry does not start tintwatch"
grep -qx 'Icon=tintwatch' "$entry" || fail "desktop entry names another icon"
grep -qx 'Type=Application' "$entry" || fail "desktop entry is not an application"
[ -f "$prefix/share/icons/hicolor/scalable/apps/tintwatch.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/tintwatch.png"
  [ -f "$png" ] || fail "no ${size}px icon"
  # The PNG header holds the width and height as big-endian words at bytes 16 and 20.
  width=$(od -An -t u1 -j 16 -N 4 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  [ "$width" = "$size" ] || fail "the ${size}px icon is ${width}px wide"
done

export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" HOME="$scratch/home"
export XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
"$prefix/bin/tintwatch" 2>/dev/null &
first=$!
for _ in $(seq 100); do [ -S "$XDG_DATA_HOME/Tintwatch/tintwatch.socket" ] && break; sleep 0.1; done
[ -S "$XDG_DATA_HOME/Tintwatch/tintwatch.socket" ] || fail "the installed program did not start"
timeout 10 "$prefix/bin/tintwatch" 2>/dev/null || fail "a second start ended with $?"
kill -0 "$first" || fail "the first start ended too"
kill -TERM "$first"
status=0
wait "$first" || status=$?
first=""
[ "$status" = 0 ] || fail "SIGTERM ended the program with $status"
echo "install layout and installed program: OK"

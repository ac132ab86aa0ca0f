#!/usr/bin/env bash
# Builds Tintwatch for 64-bit Windows with mingw-w64, against a Qt for Windows built once
# (scripts/windows-qt.sh), and packs tintwatch-<version>-win64.zip. Prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows
qt=$(scripts/windows-qt.sh | tail -n 1)
build=${WINDOWS_BUILD_DIR:-build-windows}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DTINTWATCH_BUILD_TESTS=ON -DTINTWATCH_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >&2
(cd "$build" && cpack -G ZIP >/dev/null)
ls "$PWD/$build"/tintwatch-*-win64.zip

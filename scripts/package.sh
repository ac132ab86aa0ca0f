#!/usr/bin/env bash
# Builds the Debian package tintwatch_<version>_<arch>.deb in the build folder and prints its
# path. Its dependencies are read from the binary by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run package
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTINTWATCH_BUILD_TESTS=OFF -DTINTWATCH_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tintwatch
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tintwatch_*.deb

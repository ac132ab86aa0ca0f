#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
build=${BUILD_DIR:-build}
# On, whatever an earlier make run left in the build folder's cache.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTINTWATCH_BUILD_TESTS=ON -DTINTWATCH_BUILD_BENCH=ON >/dev/null
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

ctest --test-dir "$build" --output-on-failure -j 2

#!/usr/bin/env bash
# Builds the data-file fuzzer with clang in its own build folder and runs it for a bounded time.
# Usage: scripts/fuzz.sh [seconds]   (default 60). Exits non-zero when the fuzzer finds a crash,
# a leak, a hang or a round-trip mismatch; the failing input is left in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=${FUZZ_BUILD_DIR:-build-fuzz}

scripts/install-deps.sh test

# clang's fuzzing runtime comes in a package the compiler only recommends; fetch it if missing.
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
    clang++ -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
  version=$(clang++ -dumpversion | cut -d. -f1)
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "libclang-rt-$version-dev" >/dev/null
fi

CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTINTWATCH_FUZZ=ON -DTINTWATCH_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target tintwatch_doc_fuzzer

# New inputs go to a scratch corpus; the corpus kept in the repository is only read.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/fuzz-artifacts"
"$build/tests/fuzz/tintwatch_doc_fuzzer" -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/" \
  "$work" tests/fuzz/corpus

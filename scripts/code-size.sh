#!/usr/bin/env bash
# Prints the C++ lines of the program, of its tests (helpers, fakes and test programs included)
# and of its benchmarks, and the share of tests and benchmarks in all of them.
set -euo pipefail
cd "$(dirname "$0")/.."

lines() { git ls-files -- "$@" | grep -E '\.(cpp|cc|c|h|hpp)$' | xargs -r cat | wc -l; }
tests=$(lines tests)
bench=$(lines bench)
all=$(lines .)
program=$((all - tests - bench))
printf 'program    %6d\ntests      %6d\nbenchmarks %6d\n' "$program" "$tests" "$bench"
# At most a third of all lines: tests and benchmarks together at most half the program.
limit=$((program / 2))
printf 'share      %5d.%d %%  (tests and benchmarks of all C++ lines; at most a third: %d lines, %+d)\n' \
  $(((tests + bench) * 100 / all)) $(((tests + bench) * 1000 / all % 10)) "$limit" \
  $((limit - tests - bench))

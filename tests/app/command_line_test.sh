#!/usr/bin/env bash
# The program's options, answered with no display at all: --help and --version print and end
# with 0; anything else is refused on the error stream with status 2, and nothing starts.
# Usage: command_line_test.sh PROGRAM VERSION
set -uo pipefail
program=$1
version=$2
failures=0
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# arguments | status | pattern the printed text must hold | stream it is on
check() {
  local -a arguments; read -ra arguments <<<"$1"
  local status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$program" "${arguments[@]}" \
    >"$out" 2>"$err" || status=$?
  local stream=$out other=$err
  [ "$4" = stderr ] && stream=$err other=$out
  if [ "$status" != "$2" ] || ! grep -qE "$3" "$stream" || [ -s "$other" ]; then
    echo "FAIL: tintwatch $1 -> status $status, stdout '$(cat "$out")', stderr '$(cat "$err")'" >&2
    failures=$((failures + 1))
  fi
}

check "--help" 0 "^Usage: tintwatch \[--help \| --version\]$" stdout
check "--version" 0 "^Tintwatch ${version//./\\.}$" stdout
check "--verbose" 2 "unexpected argument '--verbose'" stderr
check "-h" 2 "unexpected argument '-h'" stderr
check "events.dat" 2 "unexpected argument 'events.dat'" stderr
check "--version --help" 2 "unexpected argument '--help'" stderr
[ "$failures" = 0 ] && echo "command line: OK"
exit "$failures"

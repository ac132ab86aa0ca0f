#!/usr/bin/env bash
# A save is on the disk before a power cut could strike: the new file's bytes are synced before
# it takes the data file's name, and the folder holding that name is synced after. Watched with
# strace in a real save (one case of model_test).
# Usage: durable_save_test.sh MODEL_TEST
set -euo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
strace -f -y -e trace=rename,renameat,renameat2,fsync,fdatasync -o "$log" \
  "$1" --gtest_filter='DocumentTest.SaveWritesTheScreenSizeAndTheRowsInRowOrder' >/dev/null
# The calls of that save, in order: sync of the temporary file, rename, sync of the folder.
calls=$(grep -E 'Tintwatchv7\.1\.dat' "$log" || true)
data=$(grep -m1 -oE '"[^"]*/Tintwatchv7\.1\.dat"' <<<"$calls" | tr -d '"')
folder=${data%/*}
expected="fdatasync rename fsync"
seen=$(grep -E "fdatasync\([0-9]+<${folder}/|rename.*\"${data}\"\)|fsync\([0-9]+<${folder}>" "$log" |
  sed -E 's/^[0-9]+ +//; s/\(.*//; s/renameat2?/rename/' | tr '\n' ' ' | sed 's/ $//')
if [ "$seen" != "$expected" ]; then
  echo "calls of the save: '$seen', expected '$expected'" >&2
  cat "$log" >&2
  exit 1
fi
echo "save synced the file, renamed it and synced $folder"

#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo as installed pass their validators with no error
# and no warning; the metainfo names the installed desktop entry and carries the project's
# version.
# Usage: metadata_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*" >&2; exit 1; }

entries=("$prefix"/share/applications/*.desktop)
[ ${#entries[@]} = 1 ] && [ -f "${entries[0]}" ] || fail "not one desktop entry: ${entries[*]}"
# desktop-file-validate ends with 0 on warnings and hints too: any output is a finding.
report=$(desktop-file-validate "${entries[0]}" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"

# validate-tree also checks that the metainfo's launchable is a desktop entry of the tree.
report=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) || fail "appstreamcli: $report"
! grep -qE '^ *[EW]:' <<<"$report" || fail "appstreamcli: $report"

metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
id=$(basename "${entries[0]}" .desktop)
[ "${metainfo[0]}" = "$prefix/share/metainfo/$id.metainfo.xml" ] ||
  fail "the metainfo ${metainfo[*]} is not named after the desktop entry $id"
grep -q "<id>$id</id>" "${metainfo[0]}" || fail "the metainfo's id is not $id"
grep -q "<release version=\"$version\"" "${metainfo[0]}" || fail "no release $version"
grep -q ">Version $version<" "$prefix/share/tintwatch/docs/home.html" ||
  fail "the home page does not show version $version"
echo "metadata: OK"

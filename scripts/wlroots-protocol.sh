#!/usr/bin/env bash
# Copies one protocol file of wlroots out of Debian's wlroots source package:
#   scripts/wlroots-protocol.sh NAME.xml DESTINATION
# The package's source is fetched with apt-get, which needs deb-src lines
# (scripts/install-deps.sh adds them).
set -euo pipefail
name=$1
destination=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
if ! apt-get source --download-only wlroots >apt.log 2>&1; then
  cat apt.log >&2
  echo "wlroots-protocol.sh: could not fetch Debian's wlroots source (are deb-src lines set?)" >&2
  exit 1
fi
tar -xf wlroots_*.orig.tar.* --wildcards --no-anchored "protocol/$name"
install -m 644 wlroots-*/protocol/"$name" "$destination"

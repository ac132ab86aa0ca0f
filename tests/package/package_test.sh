#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get as a user would, runs the installed
# program and removes the package again. Needs root (CI runs as root); skipped otherwise.
# Safe to run again after an interrupted run: an installed tintwatch is reinstalled first.
# Usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
if [ "$(id -u)" != 0 ]; then
  echo "package test: needs root to install the package; skipped"
  exit 77
fi
fail() { echo "FAIL: $*" >&2; exit 1; }
apt_get() {
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -q "$@" >/dev/null
}

scratch=$(mktemp -d)
installed=""
cleanup() {
  [ -n "$installed" ] && apt_get remove --purge tintwatch
  rm -rf "$scratch"
}
trap cleanup EXIT
# apt fetches local packages as its own unprivileged user, who must be able to read them.
chmod 755 "$scratch"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$scratch/cpack.log")"
deb="$scratch/tintwatch_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$scratch")"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* && $depends == *libxcb1* ]] ||
  fail "dependencies not computed from the binary: $depends"

installed=yes
apt_get install --reinstall --no-install-recommends "$deb" || fail "apt-get install failed"
[ "$(/usr/bin/tintwatch --version)" = "Tintwatch $version" ] ||
  fail "/usr/bin/tintwatch --version: $(/usr/bin/tintwatch --version 2>&1)"
for file in /usr/share/applications/io.github.tintwatch.Tintwatch.desktop \
    /usr/share/metainfo/io.github.tintwatch.Tintwatch.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/tintwatch.svg \
    /usr/share/icons/hicolor/48x48/apps/tintwatch.png \
    /usr/share/tintwatch/docs/tutorial.html /usr/share/tintwatch/docs/home.html \
    /usr/share/doc/tintwatch/copyright /usr/share/doc/tintwatch/LICENSE \
    /usr/share/man/man1/tintwatch.1.gz; do
  [ -f "$file" ] || fail "the package did not install $file"
done
zcat /usr/share/man/man1/tintwatch.1.gz | grep -q "^\.TH TINTWATCH 1 .*Tintwatch $version" ||
  fail "the manual page does not name version $version"

apt_get remove --purge tintwatch || fail "apt-get remove failed"
installed=""
[ ! -e /usr/bin/tintwatch ] || fail "/usr/bin/tintwatch is still there after the removal"
echo "package $(basename "$deb"): built, installed, run and removed"

#!/usr/bin/env bash
# Qt for 64-bit Windows, kept outside the repository and reused while present. A ready-built copy
# of what this script builds (../shared/cache/win-qt-6.4.2.tar.xz beside the checkout, or
# $TINTWATCH_WIN_QT_ARCHIVE) is unpacked when its SHA-256 is the one recorded below; otherwise Qt
# is built once from Debian's qt6-base source package, with mingw-w64 and Debian's own Qt tools on
# the host, in about 45 minutes on two cores (TINTWATCH_WIN_QT_FROM_SOURCE=1 forces that).
# Prints the Qt prefix on its last line.
set -euo pipefail
cd "$(dirname "$0")"
repo=$(cd .. && pwd)

cache=${TINTWATCH_WIN_QT_CACHE:-$HOME/.cache/tintwatch/win-qt-6.4.2}
prefix=$cache/prefix
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

# Rebuild the archive and record its new checksum here whenever the build options below change.
archive_sha256=d3714ff05e7af9f95991d300a571fa19eb2506d6a5605ca8e6c773d4dad7a639
archive=${TINTWATCH_WIN_QT_ARCHIVE:-$repo/../shared/cache/win-qt-6.4.2.tar.xz}
if [ -z "${TINTWATCH_WIN_QT_FROM_SOURCE:-}" ] && [ -f "$archive" ]; then
  if [ "$(sha256sum "$archive" | cut -d' ' -f1)" = "$archive_sha256" ]; then
    mkdir -p "$cache" && rm -rf "$prefix"
    tar -xJf "$archive" -C "$cache"
    if [ -f "$prefix/.complete" ]; then
      echo "Unpacked the ready-built Qt for Windows from $archive" >&2
      echo "$prefix"
      exit 0
    fi
    echo "windows-qt.sh: $archive holds no complete prefix/; building from source" >&2
    rm -rf "$prefix"
  else
    echo "**************************************************************************" >&2
    echo "*** REFUSED: $archive" >&2
    echo "*** does not have the recorded SHA-256 $archive_sha256;" >&2
    echo "*** it is not used. Building Qt for Windows from source instead.        ***" >&2
    echo "**************************************************************************" >&2
  fi
fi

source ./deb-src.sh
ensure_deb_src qt6-base
mkdir -p "$cache"
cd "$cache"
if [ ! -d src ]; then
  rm -rf src.partial && mkdir src.partial
  (cd src.partial && apt-get source --download-only qt6-base >/dev/null 2>&1 &&
     dpkg-source --no-check -x qt6-base_*.dsc qt6-base >../unpack.log 2>&1) ||
    { tail -n 20 unpack.log >&2; exit 1; }
  mv src.partial/qt6-base src && rm -rf src.partial
fi

# Only what Tintwatch uses: Core, Gui, Widgets, Network and the windows platform plugin
# (Test for the probes). Debian's source lacks the tablet header, and 6.4's windows plugin
# does not compile without OpenGL.
cmake -S src -B build -G Ninja -Wno-dev \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
  -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF \
  -DFEATURE_opengl=ON -DINPUT_opengl=desktop >configure.log 2>&1 ||
  { tail -n 30 configure.log >&2; exit 1; }
echo "Building Qt for Windows once, into $prefix (about 40 minutes on two cores)" >&2
# Every hundredth step is shown, so that a long build is seen to go on.
cmake --build build --parallel "$(nproc)" 2>&1 | tee build.log |
  awk '/^\[[0-9]+\/[0-9]+\]/ && ++n % 100 == 0 { print $1; fflush() }' >&2 ||
  { tail -n 30 build.log >&2; exit 1; }
cmake --install build >/dev/null
touch "$prefix/.complete"
rm -rf build
echo "$prefix"

#!/usr/bin/env bash
# Builds Qt for 64-bit Windows once, from Debian's qt6-base source package, with mingw-w64 and
# Debian's own Qt tools on the host. The result is kept outside the repository and reused
# while present; a fresh build takes about 40 minutes on two cores.
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

#!/usr/bin/env bash
# Installs the Debian packages a task needs, when missing.
# Usage: install-deps.sh SET...   where SET is
#   run      building and running Tintwatch (make run)
#   demo     the demonstration make run shows on a machine without a display
#   package  building the Debian package (make package)
#   windows  building for Windows (make windows): mingw-w64 and Qt's source package
#   test     everything the tests need (make test): all of the above and the test tools
set -euo pipefail
cd "$(dirname "$0")"

run=(cmake ninja-build g++ pkg-config qt6-base-dev libxcb1-dev libxcb-shm0-dev libpulse-dev xdg-utils
     libpipewire-0.3-dev libwayland-dev qt6-wayland)
demo=(xvfb xdotool x11-utils x11-apps imagemagick fonts-dejavu-core)
package=(dpkg-dev file)
windows=(g++-mingw-w64-x86-64-posix dpkg-dev unzip)
test=(ccache strace libgtest-dev libbenchmark-dev pulseaudio pulseaudio-utils tint2 openbox clang
      desktop-file-utils appstream)
# The headless Wayland desktop of the tests (scripts/wayland-session.sh), and what building its
# patched screen-cast portal from Debian's source package needs.
test+=(sway pipewire pipewire-bin wireplumber xdg-desktop-portal dbus patch
       meson libdrm-dev libinih-dev libgbm-dev wayland-protocols libsystemd-dev)
# Typing into that desktop in the tests.
test+=(wtype)
# The headless GNOME Shell and KWin desktops of the tests (scripts/desktop-session.sh), their
# portal backends and what their dialogs need.
test+=(gnome-shell mutter xdg-desktop-portal-gnome dconf-service gsettings-desktop-schemas
       libegl-mesa0 libgl1-mesa-dri python3-dbus python3-gi libglib2.0-bin
       kwin-wayland xdg-desktop-portal-kde qtwayland5 plasma-workspace qml-module-qtquick-layouts
       qml-module-qtquick-controls2 qml-module-org-kde-kirigami2 qml-module-org-kde-pipewire)
# The Windows build's tests run under Wine.
test+=(wine wine64)

wanted=()
[ $# -gt 0 ] || { echo "usage: $0 run|demo|package|windows|test ..." >&2; exit 2; }
for set in "$@"; do
  case $set in
    run) wanted+=("${run[@]}") ;;
    demo) wanted+=("${demo[@]}") ;;
    package) wanted+=("${package[@]}") ;;
    windows) wanted+=("${run[@]}" "${windows[@]}") ;;
    test) wanted+=("${run[@]}" "${demo[@]}" "${package[@]}" "${windows[@]}" "${test[@]}") ;;
    *) echo "$0: unknown set '$set' (run, demo, package, windows, test)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
  --no-install-recommends "${missing[@]}" >/dev/null

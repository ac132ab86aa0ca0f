#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Tintwatch need, when missing.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libxcb1-dev libpulse-dev
          libgtest-dev libbenchmark-dev xvfb xdotool x11-utils x11-apps imagemagick
          pulseaudio pulseaudio-utils tint2 clang xdg-utils
          fonts-dejavu-core libpipewire-0.3-dev libwayland-dev qt6-wayland)
# The headless Wayland desktop of the tests (scripts/wayland-session.sh), and what building its
# patched screen-cast portal from Debian's source package needs.
packages+=(sway pipewire pipewire-bin wireplumber xdg-desktop-portal dbus dpkg-dev patch
           meson libdrm-dev libinih-dev libgbm-dev wayland-protocols libsystemd-dev)
# Typing into that desktop in the tests.
packages+=(wtype)

# The build takes the wlroots virtual-pointer protocol from Debian's wlroots source package.
source ./deb-src.sh
ensure_deb_src wlroots

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

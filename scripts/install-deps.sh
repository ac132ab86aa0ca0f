#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Tintwatch need, when missing.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libxcb1-dev libxcb-shm0-dev libpulse-dev
          libgtest-dev libbenchmark-dev xvfb xdotool x11-utils x11-apps imagemagick
          pulseaudio pulseaudio-utils tint2 clang xdg-utils
          fonts-dejavu-core)

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

#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those that are missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-private-dev qt6-tools-dev qt6-l10n-tools libgl-dev libjpeg-dev libgif-dev libgtest-dev
  pulseaudio pulseaudio-utils python3-numpy
  fonts-liberation2 fonts-noto-cjk fontconfig
  xvfb xauth xdotool imagemagick openbox wmctrl x11-utils python3 fonts-dejavu-core stress-ng
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi orca
  desktop-file-utils appstream dpkg-dev scdoc lintian devscripts
  clang libclang-rt-14-dev
  qt6-wayland sway grim wtype libwayland-bin libwayland-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing Debian packages: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

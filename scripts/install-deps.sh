#!/usr/bin/env bash
# Installs, on Debian 12, whatever is missing to build and run the programs; with the
# argument "tests", also what the tests and the install checks need.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg-dev
  fonts-comic-neue fonts-liberation2
)
locales=()
if [ "${1:-}" = tests ]; then
  packages+=(
    libgtest-dev
    xvfb xauth x11-utils xdotool imagemagick openbox
    desktop-file-utils appstream appstream-compose locales
  )
  # The regional settings the tests print the grade under: a decimal comma, a decimal
  # point, and a separator beyond ASCII (U+066B).
  locales=(fr_FR en_US ps_AF)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
missing_locales=()
for l in "${locales[@]}"; do
  locale -a 2>/dev/null | grep -qx "$l.utf8" || missing_locales+=("$l")
done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_locales[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo (missing: ${missing[*]} ${missing_locales[*]})" >&2; exit 1; }
  sudo="sudo"
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
for l in "${missing_locales[@]}"; do
  echo "install-deps: generating the locale $l.UTF-8"
  $sudo localedef -i "$l" -c -f UTF-8 "$l.UTF-8"
done

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Lobeview needs to build, run and test.
# Skips what is already present; uses sudo when not root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-svg-dev
  libjpeg62-turbo-dev libgif-dev
  libjpeg-turbo-progs htmldoc fonts-liberation2 fontconfig
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils x11-apps openbox xdotool xdg-utils desktop-file-utils shared-mime-info
  imagemagick poppler-utils librsvg2-bin
  cups cups-client printer-driver-cups-pdf libcups2-dev
  lintian appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "bootstrap: all packages present"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo_cmd=(sudo -n)
elif command -v sudo >/dev/null 2>&1; then
  sudo_cmd=(sudo)
else
  echo "bootstrap: these Debian packages are missing: ${missing[*]}" >&2
  echo "bootstrap: run this script as root or install sudo, or install them yourself with:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi

echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Does nothing
# when they are all present already.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
  libzip-dev libpugixml-dev libsqlite3-dev sqlite3
  xvfb xauth fonts-dejavu-core openbox libxcb1-dev
  poppler-utils qt6-webengine-dev
  libreoffice-calc-nogui libxlsxwriter-dev python3-openpyxl
  clang libclang-rt-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs the Debian 12 packages BRIVO needs to build, run and test, when
# any is missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libqt6sql6-sqlite libsdl2-dev qt6-translations-l10n
  libsndfile1-dev libmp3lame-dev libtag1-dev libespeak-ng-dev espeak-ng-data libsamplerate0-dev libasound2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  fonts-liberation xvfb xauth twm xfonts-base xfonts-75dpi x11-utils xdotool
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus
  desktop-file-utils appstream dpkg-dev lintian pulseaudio stress-ng
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "BRIVO : installation des paquets manquants : ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "BRIVO : il faut être root (ou avoir sudo) pour installer : ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

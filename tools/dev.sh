#!/usr/bin/env bash
# Sets up a Debian 12 machine for Orvanta, builds it, and then starts the
# program ("run") or runs every test ("test"). Safe to repeat: only missing
# packages are installed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev fonts-dejavu-core
          xvfb xdotool faketime x11-utils imagemagick appstream)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

case "${1:-run}" in
  run) exec build/src/orvanta ;;
  test) ctest --test-dir build --output-on-failure ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# Sets up a Debian 12 machine for Orvanta, builds it, and then starts the
# program ("run"), runs every test ("test") or measures it ("bench"). Safe to repeat: only missing
# packages are installed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev fonts-dejavu-core
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
  bench)
    build/benchmarks/orvanta_benchmarks --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
    bash benchmarks/measure_process.sh build/src/orvanta ;;
  *) echo "usage: $0 [run|test|bench]" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# Sets up a Debian 12 machine for Orvanta, builds it, and then starts the
# program ("run"), runs every test ("test") or measures it ("bench"). Safe to repeat: only missing
# packages are installed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev nlohmann-json3-dev clang libclang-rt-14-dev fonts-dejavu-core
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
  test)
    # A short run of every fuzz target, then the whole suite twice: as built,
    # and built with the address and undefined-behaviour sanitizers.
    bash fuzz/run_fuzzers.sh "${ORVANTA_FUZZ_SECONDS:-30}"
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
    cmake --build build-asan -j"$(nproc)"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure
    ctest --test-dir build --output-on-failure ;;
  bench)
    build/benchmarks/orvanta_benchmarks --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
    bash benchmarks/measure_process.sh build/src/orvanta ;;
  *) echo "usage: $0 [run|test|bench]" >&2; exit 2 ;;
esac

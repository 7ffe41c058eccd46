#!/usr/bin/env bash
# Sets up a Debian 12 machine for Orvanta, builds it, and then starts the
# program ("run"), runs every test ("test") or measures it ("bench"). Safe to
# repeat: only missing packages are installed, through sudo when not root.
set -euo pipefail
cd "$(dirname "$0")/.."
command=${1:-run}
case "$command" in
  run | test | bench) ;;
  *) echo "usage: $0 [run|test|bench]" >&2; exit 2 ;;
esac

# Every package the build, the tests and the package checks need: the one list.
packages=(
  cmake g++ make pkg-config                                   # build
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev nlohmann-json3-dev
  qt6-image-formats-plugins fonts-wqy-microhei                # culture illustrations (WebP), CJK names
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev      # tests, benchmarks, fuzzing
  fonts-dejavu-core xvfb xdotool faketime x11-utils imagemagick   # window tests under Xvfb
  appstream lintian dpkg-dev file man-db                      # the .deb and its checks
  xdg-utils libfile-mimeinfo-perl desktop-file-utils shared-mime-info   # file type and menu entry
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null; then
    echo "Installing ${missing[*]} needs root, and sudo is not installed." >&2
    echo "Run this once as root (su -c 'bash tools/dev.sh $command'), or install sudo and add yourself to group sudo." >&2
    echo "The build stays yours either way." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  [ "$(id -u)" -eq 0 ] || echo "(through sudo, which may ask for your password)"
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

# Root in a checkout that belongs to someone else (sudo, su): build and run as
# that user, so that build/ stays theirs and the window is not root's. CI
# builds as root in its own clone.
owner=$(stat -c %U .)
if [ "$(id -u)" -eq 0 ] && [ -z "${CI:-}" ] && [ "$owner" != root ] && getent passwd "$owner" >/dev/null; then
  # Build folders left by an earlier run as root go back to the owner.
  for dir in build build-asan build-fuzz; do
    if [ -d "$dir" ]; then chown -R "$owner": "$dir"; fi
  done
  echo "Building and running as $owner, who owns this checkout."
  exec runuser -u "$owner" -- bash tools/dev.sh "$@"
fi
for dir in build build-asan build-fuzz; do
  if [ -d "$dir" ] && [ ! -w "$dir" ]; then
    echo "$dir/ belongs to $(stat -c %U "$dir") from an earlier run; give it back with: sudo chown -R $(id -un): $dir" >&2
    exit 1
  fi
done

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
    bash benchmarks/measure_process.sh build/src/orvanta build/benchmarks/empty_window ;;
esac

#!/usr/bin/env bash
# Measures the whole program as a user starts it, under Xvfb:
#  - start-up: process start until its main window is mapped (median of 11);
#  - resident memory after opening the whole-sky example figure.
#   measure_process.sh PROGRAM
set -euo pipefail
program=$(readlink -f "$1")
examples=$(dirname "$program")/examples
source "$(dirname "$0")/../tests/support/xvfb.sh"
start_xvfb 250 1920x1200
trap 'kill "${app:-}" "$xvfb" 2>/dev/null || true' EXIT
export QT_QPA_PLATFORM=xcb

times=()
for _ in $(seq 11); do
  start=$(date +%s%N)
  "$program" 2>/dev/null &
  app=$!
  for _ in $(seq 5000); do
    xdotool search --onlyvisible --name '^Orvanta$' >/dev/null 2>&1 && break
    kill -0 "$app" 2>/dev/null || { echo "the program ended before showing its window" >&2; exit 1; }
    sleep 0.002
  done
  times+=($(( ($(date +%s%N) - start) / 1000000 )))
  kill "$app"; wait "$app" 2>/dev/null || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start-up to the window shown: median ${sorted[5]} ms (of ${#times[@]} runs: ${sorted[*]})"

"$program" 2>/dev/null &
app=$!
find_window '^Orvanta$'
window=$WINDOW
open_figure_with_dialog "$window" "$examples/whole-sky.con"
sleep 1
echo "resident memory after opening the whole-sky figure: $(awk '/VmRSS/ {printf "%.1f MB", $2 / 1024}' /proc/$app/status)"

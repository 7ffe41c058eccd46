#!/usr/bin/env bash
# Measures the whole program as a user starts it, under Xvfb:
#  - start-up: process start until its main window is mapped (median of 11),
#    against an empty Qt window with a menu, toolbar and status bar, and with
#    the whole-sky figure named on the command line;
#  - resident memory after opening the whole-sky example figure.
#   measure_process.sh PROGRAM [EMPTY_WINDOW]
set -euo pipefail
program=$(readlink -f "$1")
examples=$(dirname "$program")/examples
source "$(dirname "$0")/../tests/support/xvfb.sh"
start_xvfb 250 1920x1200
trap 'kill "${app:-}" "$xvfb" 2>/dev/null || true' EXIT
export QT_QPA_PLATFORM=xcb

# Median milliseconds from process start to a shown window whose name matches.
#   startup_median PATTERN COMMAND...
startup_median() {
  local pattern=$1 times=() start
  shift
  for _ in $(seq 11); do
    start=$(date +%s%N)
    "$@" 2>/dev/null &
    app=$!
    for _ in $(seq 5000); do
      xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 && break
      kill -0 "$app" 2>/dev/null || { echo "the program ended before showing its window" >&2; exit 1; }
      sleep 0.002
    done
    times+=($(( ($(date +%s%N) - start) / 1000000 )))
    kill "$app"; wait "$app" 2>/dev/null || true
  done
  local sorted=($(printf '%s\n' "${times[@]}" | sort -n))
  echo "${sorted[5]}"
}

export XDG_CONFIG_HOME=$(mktemp -d) XDG_STATE_HOME=$(mktemp -d)
plain=$(startup_median '^Orvanta$' "$program")
echo "start-up to the window shown: median $plain ms (11 runs)"
with_figure=$(startup_median '^Orvanta \[' "$program" "$examples/whole-sky.con")
echo "start-up with the whole-sky figure on the command line: median $with_figure ms ($(awk -v a="$with_figure" -v b="$plain" 'BEGIN { printf "%.2f", a / b }') x without)"
if [ -n "${2:-}" ]; then
  empty=$(startup_median '^Empty window$' "$(readlink -f "$2")")
  echo "an empty Qt window with menu, toolbar and status bar: median $empty ms (Orvanta: $(awk -v a="$plain" -v b="$empty" 'BEGIN { printf "%.2f", a / b }') x)"
fi

"$program" 2>/dev/null &
app=$!
find_window '^Orvanta$'
window=$WINDOW
open_figure_with_dialog "$window" "$examples/whole-sky.con"
sleep 1
echo "resident memory after opening the whole-sky figure: $(awk '/VmRSS/ {printf "%.1f MB", $2 / 1024}' /proc/$app/status)"

#!/usr/bin/env bash
# The program started from a folder without yale.dat shows the data-loading
# message instead of its window and, once it is answered, ends with a
# non-zero status.
#   missing_catalogue.sh PROGRAM
set -euo pipefail
work=$(mktemp -d)
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$1" "$work/orvanta"
source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb 170 1280x1024
start_program "$work/orvanta" || { echo "FAIL: no message"; exit 1; }
[ "$MAIN_WINDOW_SHOWN" = 0 ] || { echo "FAIL: the main window appeared without a catalogue"; exit 1; }
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.3
xdotool key Return
status=0
wait "$app" || status=$?
app=""
[ "$status" -ne 0 ] || { echo "FAIL: the program ended with status 0"; exit 1; }
echo "PASS: the message was shown and the program ended with status $status"

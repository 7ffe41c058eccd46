#!/usr/bin/env bash
# Makes docs/screenshot.png for the README: the program under Xvfb with the
# whole-sky figure, the boundaries and the English names, at a fixed moment.
#   make_screenshot.sh [PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(readlink -f "${1:-build/src/orvanta}")
source tests/support/xvfb.sh
start_xvfb 300 1280x800
trap 'kill "${app:-}" "$xvfb" 2>/dev/null || true' EXIT
QT_QPA_PLATFORM=xcb faketime "2026-12-05 21:00:00" "$program" 2>/dev/null &
app=$!
find_window '^Orvanta$'
main=$WINDOW
xdotool windowsize "$main" 1280 780
sleep 0.5
open_figure_with_dialog "$main" "$(dirname "$program")/examples/whole-sky.con"
eval "$(xdotool getwindowgeometry --shell "$main")"

# The View menu by its mnemonic: Constellations > Bounds, then
# Constellations > Names > English.
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 8)) click 1
view_menu() { xdotool key alt+v; sleep 0.4; }
view_menu; xdotool key Right Return; sleep 0.6
view_menu; xdotool key Right Down Right Down Down Down Return; sleep 0.8
xdotool mousemove $((X + WIDTH - 5)) $((Y + HEIGHT - 5))
sleep 0.3
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" docs/screenshot.png
echo docs/screenshot.png

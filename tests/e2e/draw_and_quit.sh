#!/usr/bin/env bash
# End to end, with real X input: open a figure through the file dialog by
# typing its path, draw a line between two stars, cancel, quit with Ctrl+Q and
# answer the save question. With "yes" the file must hold the old line plus the
# new one; with "no" it must be unchanged. "term" ends the program with SIGTERM
# instead, which must ask the same question (answered Yes). "killed" kills it
# with SIGKILL once the recovery file holds the change, starts it again,
# accepts the offer to restore the change and saves it.
#   draw_and_quit.sh PROGRAM STAR_PIXELS yes|no|term|killed
set -euo pipefail
program=$1 star_pixels=$2 answer=$3
program_dir=$(dirname "$program")
when="2026-12-05 22:00:00"
work=$(mktemp -d)
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb 150 1280x1024

fail() { echo "FAIL: $*" >&2; exit 1; }

# Settings and recovery files of this run stay in its own folder.
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
start() {
  # faketime preloads itself; a sanitized build must accept that.
  ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" QT_QPA_PLATFORM=xcb faketime "$when" "$program" &
  app=$!
}
start
find_window '^Orvanta' || fail "no main window"
main=$WINDOW
win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT

# The stars to click, and an existing figure of one line between two others.
mapfile -t stars < <("$star_pixels" 2026 12 5 22 0 "$win_w" 1024 $((win_h - 160)) 4 "$program_dir/yale.dat")
[ ${#stars[@]} -eq 4 ] || fail "not enough stars on the map"
read -r _ _ ra2 dec2 <<<"${stars[2]}"
read -r _ _ ra3 dec3 <<<"${stars[3]}"
figure=$work/figure.con
printf '%s,%s,%s,%s\r\n' "$ra2" "$dec2" "$ra3" "$dec3" > "$figure"
cp "$figure" "$work/before.con"

# Open through the real dialog.
open_with_dialog "$main" "$figure" || fail "the figure did not open"
sleep 0.5

# The map's top edge: the first black row below the menu and toolbar.
map_top=""
for y in $(seq 0 200); do
  pixel=$(import -window root -crop "1x1+$((win_x + win_w - 3))+$((win_y + y))" txt:- 2>/dev/null | tail -1)
  case $pixel in *"#000000"*) map_top=$y; break ;; esac
done
[ -n "$map_top" ] || fail "no map found on the screen"

click_star() {
  read -r x y _ _ <<<"$1"
  xdotool mousemove $((win_x + x)) $((win_y + map_top + y))
  sleep 0.2
  xdotool click 1
  sleep 0.2
}
click_star "${stars[0]}"
click_star "${stars[1]}"
xdotool mousemove_relative 30 30
sleep 0.2
xdotool click 3
sleep 0.3
answer_question() {  # TITLE KEY
  local id found=""
  # The main window may bear the same title: the question is the one narrower than it.
  for _ in $(seq 200); do
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null || true); do
      eval "$(xdotool getwindowgeometry --shell "$id")"
      if [ "$WIDTH" -lt "$win_w" ]; then found=$id; break; fi
    done
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || fail "no question titled $1"
  sleep 0.3
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  xdotool key "$2"
}
wait_for_end() {
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "the program did not end"
  wait "$app" 2>/dev/null || true
}
case $answer in
  yes) xdotool key ctrl+q; answer_question Warning Return ;;
  no) xdotool key ctrl+q; answer_question Warning alt+n ;;
  term) kill -TERM "$(pgrep -P "$app")"; answer_question Warning Return ;;
  killed)
    # faketime runs the program as its child: the recovery file bears the child's number.
    recovery=$work/state/orvanta/recovery-$(pgrep -P "$app").txt
    for _ in $(seq 100); do [ -s "$recovery" ] && break; sleep 0.1; done
    [ -s "$recovery" ] || fail "no recovery file after ten seconds"
    kill -KILL "$(pgrep -P "$app")"
    wait "$app" 2>/dev/null || true
    cmp -s "$figure" "$work/before.con" || fail "the killed program changed the file"
    # The display must answer again before the program comes back to it.
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    start
    # The offer comes with the window: a small question titled as the program.
    answer_question '^Orvanta$' Return
    for _ in $(seq 100); do
      [ "$(xdotool getwindowname "$main" 2>/dev/null)" = "Orvanta [$figure*]" ] && break
      # Until the restored window names its figure the search finds nothing, which is no failure.
      main=$(xdotool search --onlyvisible --name "^Orvanta \\[" | head -1 || true); sleep 0.1
    done
    [ "$(xdotool getwindowname "$main")" = "Orvanta [$figure*]" ] || fail "the change was not restored"
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 8)) click 1
    xdotool key ctrl+s
    sleep 0.5
    xdotool key ctrl+q ;;
esac
wait_for_end
[ "$answer" = killed ] && [ -n "$(ls "$work/state/orvanta" 2>/dev/null)" ] && fail "a recovery file was left"

read -r _ _ ra0 dec0 <<<"${stars[0]}"
read -r _ _ ra1 dec1 <<<"${stars[1]}"
if [ "$answer" != no ]; then
  printf '%s,%s,%s,%s\r\n%s,%s,%s,%s\r\n' "$ra2" "$dec2" "$ra3" "$dec3" "$ra0" "$dec0" "$ra1" "$dec1" > "$work/expected.con"
else
  cp "$work/before.con" "$work/expected.con"
fi
cmp "$figure" "$work/expected.con" || { od -c "$figure" | head; fail "the file does not hold what was expected"; }
echo "PASS: answered $answer"
